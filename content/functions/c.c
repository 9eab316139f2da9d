#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commdlg.h>
#include <cderr.h>
#include <mmsystem.h>
#include <wininet.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <ipexport.h>
#include <htmlhelp.h>
#include <winnetwk.h>
const char n_SHCNE_RENAMEITEM[]="SHCNE_RENAMEITEM"; const unsigned int v_SHCNE_RENAMEITEM = (unsigned int)(SHCNE_RENAMEITEM);
const char n_SHCNE_CREATE[]="SHCNE_CREATE"; const unsigned int v_SHCNE_CREATE = (unsigned int)(SHCNE_CREATE);
const char n_SHCNE_DELETE[]="SHCNE_DELETE"; const unsigned int v_SHCNE_DELETE = (unsigned int)(SHCNE_DELETE);
const char n_SHCNE_MKDIR[]="SHCNE_MKDIR"; const unsigned int v_SHCNE_MKDIR = (unsigned int)(SHCNE_MKDIR);
const char n_SHCNE_RMDIR[]="SHCNE_RMDIR"; const unsigned int v_SHCNE_RMDIR = (unsigned int)(SHCNE_RMDIR);
const char n_SHCNE_MEDIAINSERTED[]="SHCNE_MEDIAINSERTED"; const unsigned int v_SHCNE_MEDIAINSERTED = (unsigned int)(SHCNE_MEDIAINSERTED);
const char n_SHCNE_MEDIAREMOVED[]="SHCNE_MEDIAREMOVED"; const unsigned int v_SHCNE_MEDIAREMOVED = (unsigned int)(SHCNE_MEDIAREMOVED);
const char n_SHCNE_DRIVEREMOVED[]="SHCNE_DRIVEREMOVED"; const unsigned int v_SHCNE_DRIVEREMOVED = (unsigned int)(SHCNE_DRIVEREMOVED);
const char n_SHCNE_DRIVEADD[]="SHCNE_DRIVEADD"; const unsigned int v_SHCNE_DRIVEADD = (unsigned int)(SHCNE_DRIVEADD);
const char n_SHCNE_NETSHARE[]="SHCNE_NETSHARE"; const unsigned int v_SHCNE_NETSHARE = (unsigned int)(SHCNE_NETSHARE);
const char n_SHCNE_NETUNSHARE[]="SHCNE_NETUNSHARE"; const unsigned int v_SHCNE_NETUNSHARE = (unsigned int)(SHCNE_NETUNSHARE);
const char n_SHCNE_ATTRIBUTES[]="SHCNE_ATTRIBUTES"; const unsigned int v_SHCNE_ATTRIBUTES = (unsigned int)(SHCNE_ATTRIBUTES);
const char n_SHCNE_UPDATEDIR[]="SHCNE_UPDATEDIR"; const unsigned int v_SHCNE_UPDATEDIR = (unsigned int)(SHCNE_UPDATEDIR);
const char n_SHCNE_UPDATEITEM[]="SHCNE_UPDATEITEM"; const unsigned int v_SHCNE_UPDATEITEM = (unsigned int)(SHCNE_UPDATEITEM);
const char n_SHCNE_SERVERDISCONNECT[]="SHCNE_SERVERDISCONNECT"; const unsigned int v_SHCNE_SERVERDISCONNECT = (unsigned int)(SHCNE_SERVERDISCONNECT);
const char n_SHCNE_UPDATEIMAGE[]="SHCNE_UPDATEIMAGE"; const unsigned int v_SHCNE_UPDATEIMAGE = (unsigned int)(SHCNE_UPDATEIMAGE);
const char n_SHCNE_DRIVEADDGUI[]="SHCNE_DRIVEADDGUI"; const unsigned int v_SHCNE_DRIVEADDGUI = (unsigned int)(SHCNE_DRIVEADDGUI);
const char n_SHCNE_RENAMEFOLDER[]="SHCNE_RENAMEFOLDER"; const unsigned int v_SHCNE_RENAMEFOLDER = (unsigned int)(SHCNE_RENAMEFOLDER);
const char n_SHCNE_FREESPACE[]="SHCNE_FREESPACE"; const unsigned int v_SHCNE_FREESPACE = (unsigned int)(SHCNE_FREESPACE);
const char n_SHCNE_EXTENDED_EVENT[]="SHCNE_EXTENDED_EVENT"; const unsigned int v_SHCNE_EXTENDED_EVENT = (unsigned int)(SHCNE_EXTENDED_EVENT);
const char n_SHCNE_ASSOCCHANGED[]="SHCNE_ASSOCCHANGED"; const unsigned int v_SHCNE_ASSOCCHANGED = (unsigned int)(SHCNE_ASSOCCHANGED);
const char n_SHCNE_ALLEVENTS[]="SHCNE_ALLEVENTS"; const unsigned int v_SHCNE_ALLEVENTS = (unsigned int)(SHCNE_ALLEVENTS);
const char n_SHCNF_IDLIST[]="SHCNF_IDLIST"; const unsigned int v_SHCNF_IDLIST = (unsigned int)(SHCNF_IDLIST);
const char n_SHCNF_PATHA[]="SHCNF_PATHA"; const unsigned int v_SHCNF_PATHA = (unsigned int)(SHCNF_PATHA);
const char n_SHCNF_PRINTERA[]="SHCNF_PRINTERA"; const unsigned int v_SHCNF_PRINTERA = (unsigned int)(SHCNF_PRINTERA);
const char n_SHCNF_DWORD[]="SHCNF_DWORD"; const unsigned int v_SHCNF_DWORD = (unsigned int)(SHCNF_DWORD);
const char n_SHCNF_PATHW[]="SHCNF_PATHW"; const unsigned int v_SHCNF_PATHW = (unsigned int)(SHCNF_PATHW);
const char n_SHCNF_PRINTERW[]="SHCNF_PRINTERW"; const unsigned int v_SHCNF_PRINTERW = (unsigned int)(SHCNF_PRINTERW);
const char n_SHCNF_TYPE[]="SHCNF_TYPE"; const unsigned int v_SHCNF_TYPE = (unsigned int)(SHCNF_TYPE);
const char n_SHCNF_FLUSH[]="SHCNF_FLUSH"; const unsigned int v_SHCNF_FLUSH = (unsigned int)(SHCNF_FLUSH);
const char n_SHCNF_FLUSHNOWAIT[]="SHCNF_FLUSHNOWAIT"; const unsigned int v_SHCNF_FLUSHNOWAIT = (unsigned int)(SHCNF_FLUSHNOWAIT);
const char n_SHCNF_PATH[]="SHCNF_PATH"; const unsigned int v_SHCNF_PATH = (unsigned int)(SHCNF_PATH);
