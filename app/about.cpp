#include "app/about.h"

#include <QStringList>

QString aboutText() {
    const QStringList lines = {
        QStringLiteral("Zarn_Win32API 中文帮助 0.1"), QStringLiteral("VB 程序员的 Win32 API 参考"),
        QStringLiteral("数据：winapi.mdb，与程序"),   QStringLiteral("      同目录，只读打开"),
        QStringLiteral("键入函数名的开头即可查找，"), QStringLiteral("双击列表中的函数看详情。"),
    };
    return lines.join(QStringLiteral("\r\n"));
}
