	.file	"c.c"
	.text
	.globl	_n_SHCNE_RENAMEITEM
	.section .rdata,"dr"
	.align 4
_n_SHCNE_RENAMEITEM:
	.ascii "SHCNE_RENAMEITEM\0"
	.globl	_v_SHCNE_RENAMEITEM
	.align 4
_v_SHCNE_RENAMEITEM:
	.long	1
	.globl	_n_SHCNE_CREATE
	.align 4
_n_SHCNE_CREATE:
	.ascii "SHCNE_CREATE\0"
	.globl	_v_SHCNE_CREATE
	.align 4
_v_SHCNE_CREATE:
	.long	2
	.globl	_n_SHCNE_DELETE
	.align 4
_n_SHCNE_DELETE:
	.ascii "SHCNE_DELETE\0"
	.globl	_v_SHCNE_DELETE
	.align 4
_v_SHCNE_DELETE:
	.long	4
	.globl	_n_SHCNE_MKDIR
	.align 4
_n_SHCNE_MKDIR:
	.ascii "SHCNE_MKDIR\0"
	.globl	_v_SHCNE_MKDIR
	.align 4
_v_SHCNE_MKDIR:
	.long	8
	.globl	_n_SHCNE_RMDIR
	.align 4
_n_SHCNE_RMDIR:
	.ascii "SHCNE_RMDIR\0"
	.globl	_v_SHCNE_RMDIR
	.align 4
_v_SHCNE_RMDIR:
	.long	16
	.globl	_n_SHCNE_MEDIAINSERTED
	.align 4
_n_SHCNE_MEDIAINSERTED:
	.ascii "SHCNE_MEDIAINSERTED\0"
	.globl	_v_SHCNE_MEDIAINSERTED
	.align 4
_v_SHCNE_MEDIAINSERTED:
	.long	32
	.globl	_n_SHCNE_MEDIAREMOVED
	.align 4
_n_SHCNE_MEDIAREMOVED:
	.ascii "SHCNE_MEDIAREMOVED\0"
	.globl	_v_SHCNE_MEDIAREMOVED
	.align 4
_v_SHCNE_MEDIAREMOVED:
	.long	64
	.globl	_n_SHCNE_DRIVEREMOVED
	.align 4
_n_SHCNE_DRIVEREMOVED:
	.ascii "SHCNE_DRIVEREMOVED\0"
	.globl	_v_SHCNE_DRIVEREMOVED
	.align 4
_v_SHCNE_DRIVEREMOVED:
	.long	128
	.globl	_n_SHCNE_DRIVEADD
	.align 4
_n_SHCNE_DRIVEADD:
	.ascii "SHCNE_DRIVEADD\0"
	.globl	_v_SHCNE_DRIVEADD
	.align 4
_v_SHCNE_DRIVEADD:
	.long	256
	.globl	_n_SHCNE_NETSHARE
	.align 4
_n_SHCNE_NETSHARE:
	.ascii "SHCNE_NETSHARE\0"
	.globl	_v_SHCNE_NETSHARE
	.align 4
_v_SHCNE_NETSHARE:
	.long	512
	.globl	_n_SHCNE_NETUNSHARE
	.align 4
_n_SHCNE_NETUNSHARE:
	.ascii "SHCNE_NETUNSHARE\0"
	.globl	_v_SHCNE_NETUNSHARE
	.align 4
_v_SHCNE_NETUNSHARE:
	.long	1024
	.globl	_n_SHCNE_ATTRIBUTES
	.align 4
_n_SHCNE_ATTRIBUTES:
	.ascii "SHCNE_ATTRIBUTES\0"
	.globl	_v_SHCNE_ATTRIBUTES
	.align 4
_v_SHCNE_ATTRIBUTES:
	.long	2048
	.globl	_n_SHCNE_UPDATEDIR
	.align 4
_n_SHCNE_UPDATEDIR:
	.ascii "SHCNE_UPDATEDIR\0"
	.globl	_v_SHCNE_UPDATEDIR
	.align 4
_v_SHCNE_UPDATEDIR:
	.long	4096
	.globl	_n_SHCNE_UPDATEITEM
	.align 4
_n_SHCNE_UPDATEITEM:
	.ascii "SHCNE_UPDATEITEM\0"
	.globl	_v_SHCNE_UPDATEITEM
	.align 4
_v_SHCNE_UPDATEITEM:
	.long	8192
	.globl	_n_SHCNE_SERVERDISCONNECT
	.align 4
_n_SHCNE_SERVERDISCONNECT:
	.ascii "SHCNE_SERVERDISCONNECT\0"
	.globl	_v_SHCNE_SERVERDISCONNECT
	.align 4
_v_SHCNE_SERVERDISCONNECT:
	.long	16384
	.globl	_n_SHCNE_UPDATEIMAGE
	.align 4
_n_SHCNE_UPDATEIMAGE:
	.ascii "SHCNE_UPDATEIMAGE\0"
	.globl	_v_SHCNE_UPDATEIMAGE
	.align 4
_v_SHCNE_UPDATEIMAGE:
	.long	32768
	.globl	_n_SHCNE_DRIVEADDGUI
	.align 4
_n_SHCNE_DRIVEADDGUI:
	.ascii "SHCNE_DRIVEADDGUI\0"
	.globl	_v_SHCNE_DRIVEADDGUI
	.align 4
_v_SHCNE_DRIVEADDGUI:
	.long	65536
	.globl	_n_SHCNE_RENAMEFOLDER
	.align 4
_n_SHCNE_RENAMEFOLDER:
	.ascii "SHCNE_RENAMEFOLDER\0"
	.globl	_v_SHCNE_RENAMEFOLDER
	.align 4
_v_SHCNE_RENAMEFOLDER:
	.long	131072
	.globl	_n_SHCNE_FREESPACE
	.align 4
_n_SHCNE_FREESPACE:
	.ascii "SHCNE_FREESPACE\0"
	.globl	_v_SHCNE_FREESPACE
	.align 4
_v_SHCNE_FREESPACE:
	.long	262144
	.globl	_n_SHCNE_EXTENDED_EVENT
	.align 4
_n_SHCNE_EXTENDED_EVENT:
	.ascii "SHCNE_EXTENDED_EVENT\0"
	.globl	_v_SHCNE_EXTENDED_EVENT
	.align 4
_v_SHCNE_EXTENDED_EVENT:
	.long	67108864
	.globl	_n_SHCNE_ASSOCCHANGED
	.align 4
_n_SHCNE_ASSOCCHANGED:
	.ascii "SHCNE_ASSOCCHANGED\0"
	.globl	_v_SHCNE_ASSOCCHANGED
	.align 4
_v_SHCNE_ASSOCCHANGED:
	.long	134217728
	.globl	_n_SHCNE_ALLEVENTS
	.align 4
_n_SHCNE_ALLEVENTS:
	.ascii "SHCNE_ALLEVENTS\0"
	.globl	_v_SHCNE_ALLEVENTS
	.align 4
_v_SHCNE_ALLEVENTS:
	.long	2147483647
	.globl	_n_SHCNF_IDLIST
	.align 4
_n_SHCNF_IDLIST:
	.ascii "SHCNF_IDLIST\0"
	.globl	_v_SHCNF_IDLIST
	.align 4
_v_SHCNF_IDLIST:
	.space 4
	.globl	_n_SHCNF_PATHA
	.align 4
_n_SHCNF_PATHA:
	.ascii "SHCNF_PATHA\0"
	.globl	_v_SHCNF_PATHA
	.align 4
_v_SHCNF_PATHA:
	.long	1
	.globl	_n_SHCNF_PRINTERA
	.align 4
_n_SHCNF_PRINTERA:
	.ascii "SHCNF_PRINTERA\0"
	.globl	_v_SHCNF_PRINTERA
	.align 4
_v_SHCNF_PRINTERA:
	.long	2
	.globl	_n_SHCNF_DWORD
	.align 4
_n_SHCNF_DWORD:
	.ascii "SHCNF_DWORD\0"
	.globl	_v_SHCNF_DWORD
	.align 4
_v_SHCNF_DWORD:
	.long	3
	.globl	_n_SHCNF_PATHW
	.align 4
_n_SHCNF_PATHW:
	.ascii "SHCNF_PATHW\0"
	.globl	_v_SHCNF_PATHW
	.align 4
_v_SHCNF_PATHW:
	.long	5
	.globl	_n_SHCNF_PRINTERW
	.align 4
_n_SHCNF_PRINTERW:
	.ascii "SHCNF_PRINTERW\0"
	.globl	_v_SHCNF_PRINTERW
	.align 4
_v_SHCNF_PRINTERW:
	.long	6
	.globl	_n_SHCNF_TYPE
	.align 4
_n_SHCNF_TYPE:
	.ascii "SHCNF_TYPE\0"
	.globl	_v_SHCNF_TYPE
	.align 4
_v_SHCNF_TYPE:
	.long	255
	.globl	_n_SHCNF_FLUSH
	.align 4
_n_SHCNF_FLUSH:
	.ascii "SHCNF_FLUSH\0"
	.globl	_v_SHCNF_FLUSH
	.align 4
_v_SHCNF_FLUSH:
	.long	4096
	.globl	_n_SHCNF_FLUSHNOWAIT
	.align 4
_n_SHCNF_FLUSHNOWAIT:
	.ascii "SHCNF_FLUSHNOWAIT\0"
	.globl	_v_SHCNF_FLUSHNOWAIT
	.align 4
_v_SHCNF_FLUSHNOWAIT:
	.long	12288
	.globl	_n_SHCNF_PATH
	.align 4
_n_SHCNF_PATH:
	.ascii "SHCNF_PATH\0"
	.globl	_v_SHCNF_PATH
	.align 4
_v_SHCNF_PATH:
	.long	1
	.ident	"GCC: (GNU) 12-posix"
