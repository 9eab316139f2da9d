	.file	"t.c"
	.text
	.globl	_n1
	.section .rdata,"dr"
	.align 32
_n1:
	.ascii "SHQueryRecycleBin|SHQUERYRBINFO|size|20\0"
	.globl	_v1
	.align 4
_v1:
	.long	20
	.long	0
	.globl	_n2
	.align 32
_n2:
	.ascii "SHQueryRecycleBin|SHQUERYRBINFO|cbSize|0,4\0"
	.globl	_v2
	.align 4
_v2:
	.long	0
	.long	4
	.globl	_n3
	.align 32
_n3:
	.ascii "SHQueryRecycleBin|SHQUERYRBINFO|i64Size|4,8\0"
	.globl	_v3
	.align 4
_v3:
	.long	4
	.long	8
	.globl	_n4
	.align 32
_n4:
	.ascii "SHQueryRecycleBin|SHQUERYRBINFO|i64NumItems|12,8\0"
	.globl	_v4
	.align 4
_v4:
	.long	12
	.long	8
	.globl	_n5
	.align 32
_n5:
	.ascii "SHAppBarMessage|APPBARDATA|size|36\0"
	.globl	_v5
	.align 4
_v5:
	.long	36
	.long	0
	.globl	_n6
	.align 32
_n6:
	.ascii "SHAppBarMessage|APPBARDATA|cbSize|0,4\0"
	.globl	_v6
	.align 4
_v6:
	.long	0
	.long	4
	.globl	_n7
	.align 32
_n7:
	.ascii "SHAppBarMessage|APPBARDATA|hWnd|4,4\0"
	.globl	_v7
	.align 4
_v7:
	.long	4
	.long	4
	.globl	_n8
	.align 32
_n8:
	.ascii "SHAppBarMessage|APPBARDATA|uCallbackMessage|8,4\0"
	.globl	_v8
	.align 4
_v8:
	.long	8
	.long	4
	.globl	_n9
	.align 32
_n9:
	.ascii "SHAppBarMessage|APPBARDATA|uEdge|12,4\0"
	.globl	_v9
	.align 4
_v9:
	.long	12
	.long	4
	.globl	_n10
	.align 32
_n10:
	.ascii "SHAppBarMessage|APPBARDATA|rc|16,16\0"
	.globl	_v10
	.align 4
_v10:
	.long	16
	.long	16
	.globl	_n11
	.align 32
_n11:
	.ascii "SHAppBarMessage|APPBARDATA|lParam|32,4\0"
	.globl	_v11
	.align 4
_v11:
	.long	32
	.long	4
	.globl	_n12
	.align 4
_n12:
	.ascii "SHAppBarMessage|RECT|size|16\0"
	.globl	_v12
	.align 4
_v12:
	.long	16
	.long	0
	.globl	_n13
	.align 4
_n13:
	.ascii "SHAppBarMessage|RECT|Left|0,4\0"
	.globl	_v13
	.align 4
_v13:
	.long	0
	.long	4
	.globl	_n14
	.align 4
_n14:
	.ascii "SHAppBarMessage|RECT|Top|4,4\0"
	.globl	_v14
	.align 4
_v14:
	.long	4
	.long	4
	.globl	_n15
	.align 4
_n15:
	.ascii "SHAppBarMessage|RECT|Right|8,4\0"
	.globl	_v15
	.align 4
_v15:
	.long	8
	.long	4
	.globl	_n16
	.align 32
_n16:
	.ascii "SHAppBarMessage|RECT|Bottom|12,4\0"
	.globl	_v16
	.align 4
_v16:
	.long	12
	.long	4
	.globl	_n17
	.align 4
_n17:
	.ascii "PageSetupDlg|POINTAPI|size|8\0"
	.globl	_v17
	.align 4
_v17:
	.long	8
	.long	0
	.globl	_n18
	.align 4
_n18:
	.ascii "PageSetupDlg|POINTAPI|x|0,4\0"
	.globl	_v18
	.align 4
_v18:
	.long	0
	.long	4
	.globl	_n19
	.align 4
_n19:
	.ascii "PageSetupDlg|POINTAPI|y|4,4\0"
	.globl	_v19
	.align 4
_v19:
	.long	4
	.long	4
	.globl	_n20
	.align 4
_n20:
	.ascii "PageSetupDlg|RECT|size|16\0"
	.globl	_v20
	.align 4
_v20:
	.long	16
	.long	0
	.globl	_n21
	.align 4
_n21:
	.ascii "PageSetupDlg|RECT|Left|0,4\0"
	.globl	_v21
	.align 4
_v21:
	.long	0
	.long	4
	.globl	_n22
	.align 4
_n22:
	.ascii "PageSetupDlg|RECT|Top|4,4\0"
	.globl	_v22
	.align 4
_v22:
	.long	4
	.long	4
	.globl	_n23
	.align 4
_n23:
	.ascii "PageSetupDlg|RECT|Right|8,4\0"
	.globl	_v23
	.align 4
_v23:
	.long	8
	.long	4
	.globl	_n24
	.align 4
_n24:
	.ascii "PageSetupDlg|RECT|Bottom|12,4\0"
	.globl	_v24
	.align 4
_v24:
	.long	12
	.long	4
	.globl	_n25
	.align 32
_n25:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|size|84\0"
	.globl	_v25
	.align 4
_v25:
	.long	84
	.long	0
	.globl	_n26
	.align 32
_n26:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|lStructSize|0,4\0"
	.globl	_v26
	.align 4
_v26:
	.long	0
	.long	4
	.globl	_n27
	.align 32
_n27:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|hwndOwner|4,4\0"
	.globl	_v27
	.align 4
_v27:
	.long	4
	.long	4
	.globl	_n28
	.align 32
_n28:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|hDevMode|8,4\0"
	.globl	_v28
	.align 4
_v28:
	.long	8
	.long	4
	.globl	_n29
	.align 32
_n29:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|hDevNames|12,4\0"
	.globl	_v29
	.align 4
_v29:
	.long	12
	.long	4
	.globl	_n30
	.align 32
_n30:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|Flags|16,4\0"
	.globl	_v30
	.align 4
_v30:
	.long	16
	.long	4
	.globl	_n31
	.align 32
_n31:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|ptPaperSize|20,8\0"
	.globl	_v31
	.align 4
_v31:
	.long	20
	.long	8
	.globl	_n32
	.align 32
_n32:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|rtMinMargin|28,16\0"
	.globl	_v32
	.align 4
_v32:
	.long	28
	.long	16
	.globl	_n33
	.align 32
_n33:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|rtMargin|44,16\0"
	.globl	_v33
	.align 4
_v33:
	.long	44
	.long	16
	.globl	_n34
	.align 32
_n34:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|hInstance|60,4\0"
	.globl	_v34
	.align 4
_v34:
	.long	60
	.long	4
	.globl	_n35
	.align 32
_n35:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|lCustData|64,4\0"
	.globl	_v35
	.align 4
_v35:
	.long	64
	.long	4
	.globl	_n36
	.align 32
_n36:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|lpfnPageSetupHook|68,4\0"
	.globl	_v36
	.align 4
_v36:
	.long	68
	.long	4
	.globl	_n37
	.align 32
_n37:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|lpfnPagePaintHook|72,4\0"
	.globl	_v37
	.align 4
_v37:
	.long	72
	.long	4
	.globl	_n38
	.align 32
_n38:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|lpPageSetupTemplateName|76,4\0"
	.globl	_v38
	.align 4
_v38:
	.long	76
	.long	4
	.globl	_n39
	.align 32
_n39:
	.ascii "PageSetupDlg|PAGESETUPDLGSTRUCT|hPageSetupTemplate|80,4\0"
	.globl	_v39
	.align 4
_v39:
	.long	80
	.long	4
	.globl	_n40
	.align 4
_n40:
	.ascii "mixerOpen|MIXERLINE|size|168\0"
	.globl	_v40
	.align 4
_v40:
	.long	168
	.long	0
	.globl	_n41
	.align 32
_n41:
	.ascii "mixerOpen|MIXERLINE|cbStruct|0,4\0"
	.globl	_v41
	.align 4
_v41:
	.long	0
	.long	4
	.globl	_n42
	.align 32
_n42:
	.ascii "mixerOpen|MIXERLINE|dwDestination|4,4\0"
	.globl	_v42
	.align 4
_v42:
	.long	4
	.long	4
	.globl	_n43
	.align 32
_n43:
	.ascii "mixerOpen|MIXERLINE|dwSource|8,4\0"
	.globl	_v43
	.align 4
_v43:
	.long	8
	.long	4
	.globl	_n44
	.align 32
_n44:
	.ascii "mixerOpen|MIXERLINE|dwLineID|12,4\0"
	.globl	_v44
	.align 4
_v44:
	.long	12
	.long	4
	.globl	_n45
	.align 32
_n45:
	.ascii "mixerOpen|MIXERLINE|fdwLine|16,4\0"
	.globl	_v45
	.align 4
_v45:
	.long	16
	.long	4
	.globl	_n46
	.align 32
_n46:
	.ascii "mixerOpen|MIXERLINE|dwUser|20,4\0"
	.globl	_v46
	.align 4
_v46:
	.long	20
	.long	4
	.globl	_n47
	.align 32
_n47:
	.ascii "mixerOpen|MIXERLINE|dwComponentType|24,4\0"
	.globl	_v47
	.align 4
_v47:
	.long	24
	.long	4
	.globl	_n48
	.align 32
_n48:
	.ascii "mixerOpen|MIXERLINE|cChannels|28,4\0"
	.globl	_v48
	.align 4
_v48:
	.long	28
	.long	4
	.globl	_n49
	.align 32
_n49:
	.ascii "mixerOpen|MIXERLINE|cConnections|32,4\0"
	.globl	_v49
	.align 4
_v49:
	.long	32
	.long	4
	.globl	_n50
	.align 32
_n50:
	.ascii "mixerOpen|MIXERLINE|cControls|36,4\0"
	.globl	_v50
	.align 4
_v50:
	.long	36
	.long	4
	.globl	_n51
	.align 32
_n51:
	.ascii "mixerOpen|MIXERLINE|szShortName|40,16\0"
	.globl	_v51
	.align 4
_v51:
	.long	40
	.long	16
	.globl	_n52
	.align 32
_n52:
	.ascii "mixerOpen|MIXERLINE|szName|56,64\0"
	.globl	_v52
	.align 4
_v52:
	.long	56
	.long	64
	.globl	_n53
	.align 32
_n53:
	.ascii "mixerOpen|MIXERLINE|Target|120,48\0"
	.globl	_v53
	.align 4
_v53:
	.long	120
	.long	48
	.globl	_n54
	.align 32
_n54:
	.ascii "mixerGetLineControls|MIXERLINE|size|168\0"
	.globl	_v54
	.align 4
_v54:
	.long	168
	.long	0
	.globl	_n55
	.align 32
_n55:
	.ascii "mixerGetLineControls|MIXERLINE|cbStruct|0,4\0"
	.globl	_v55
	.align 4
_v55:
	.long	0
	.long	4
	.globl	_n56
	.align 32
_n56:
	.ascii "mixerGetLineControls|MIXERLINE|dwDestination|4,4\0"
	.globl	_v56
	.align 4
_v56:
	.long	4
	.long	4
	.globl	_n57
	.align 32
_n57:
	.ascii "mixerGetLineControls|MIXERLINE|dwSource|8,4\0"
	.globl	_v57
	.align 4
_v57:
	.long	8
	.long	4
	.globl	_n58
	.align 32
_n58:
	.ascii "mixerGetLineControls|MIXERLINE|dwLineID|12,4\0"
	.globl	_v58
	.align 4
_v58:
	.long	12
	.long	4
	.globl	_n59
	.align 32
_n59:
	.ascii "mixerGetLineControls|MIXERLINE|fdwLine|16,4\0"
	.globl	_v59
	.align 4
_v59:
	.long	16
	.long	4
	.globl	_n60
	.align 32
_n60:
	.ascii "mixerGetLineControls|MIXERLINE|dwUser|20,4\0"
	.globl	_v60
	.align 4
_v60:
	.long	20
	.long	4
	.globl	_n61
	.align 32
_n61:
	.ascii "mixerGetLineControls|MIXERLINE|dwComponentType|24,4\0"
	.globl	_v61
	.align 4
_v61:
	.long	24
	.long	4
	.globl	_n62
	.align 32
_n62:
	.ascii "mixerGetLineControls|MIXERLINE|cChannels|28,4\0"
	.globl	_v62
	.align 4
_v62:
	.long	28
	.long	4
	.globl	_n63
	.align 32
_n63:
	.ascii "mixerGetLineControls|MIXERLINE|cConnections|32,4\0"
	.globl	_v63
	.align 4
_v63:
	.long	32
	.long	4
	.globl	_n64
	.align 32
_n64:
	.ascii "mixerGetLineControls|MIXERLINE|cControls|36,4\0"
	.globl	_v64
	.align 4
_v64:
	.long	36
	.long	4
	.globl	_n65
	.align 32
_n65:
	.ascii "mixerGetLineControls|MIXERLINE|szShortName|40,16\0"
	.globl	_v65
	.align 4
_v65:
	.long	40
	.long	16
	.globl	_n66
	.align 32
_n66:
	.ascii "mixerGetLineControls|MIXERLINE|szName|56,64\0"
	.globl	_v66
	.align 4
_v66:
	.long	56
	.long	64
	.globl	_n67
	.align 32
_n67:
	.ascii "mixerGetLineControls|MIXERLINE|Target|120,48\0"
	.globl	_v67
	.align 4
_v67:
	.long	120
	.long	48
	.globl	_n68
	.align 32
_n68:
	.ascii "mixerGetLineControls|MIXERCONTROL|size|148\0"
	.globl	_v68
	.align 4
_v68:
	.long	148
	.long	0
	.globl	_n69
	.align 32
_n69:
	.ascii "mixerGetLineControls|MIXERCONTROL|cbStruct|0,4\0"
	.globl	_v69
	.align 4
_v69:
	.long	0
	.long	4
	.globl	_n70
	.align 32
_n70:
	.ascii "mixerGetLineControls|MIXERCONTROL|dwControlID|4,4\0"
	.globl	_v70
	.align 4
_v70:
	.long	4
	.long	4
	.globl	_n71
	.align 32
_n71:
	.ascii "mixerGetLineControls|MIXERCONTROL|dwControlType|8,4\0"
	.globl	_v71
	.align 4
_v71:
	.long	8
	.long	4
	.globl	_n72
	.align 32
_n72:
	.ascii "mixerGetLineControls|MIXERCONTROL|fdwControl|12,4\0"
	.globl	_v72
	.align 4
_v72:
	.long	12
	.long	4
	.globl	_n73
	.align 32
_n73:
	.ascii "mixerGetLineControls|MIXERCONTROL|cMultipleItems|16,4\0"
	.globl	_v73
	.align 4
_v73:
	.long	16
	.long	4
	.globl	_n74
	.align 32
_n74:
	.ascii "mixerGetLineControls|MIXERCONTROL|szShortName|20,16\0"
	.globl	_v74
	.align 4
_v74:
	.long	20
	.long	16
	.globl	_n75
	.align 32
_n75:
	.ascii "mixerGetLineControls|MIXERCONTROL|szName|36,64\0"
	.globl	_v75
	.align 4
_v75:
	.long	36
	.long	64
	.globl	_n76
	.align 32
_n76:
	.ascii "mixerGetLineControls|MIXERCONTROL|Bounds|100,24\0"
	.globl	_v76
	.align 4
_v76:
	.long	100
	.long	24
	.globl	_n77
	.align 32
_n77:
	.ascii "mixerGetLineControls|MIXERCONTROL|Metrics|124,24\0"
	.globl	_v77
	.align 4
_v77:
	.long	124
	.long	24
	.globl	_n78
	.align 32
_n78:
	.ascii "mixerGetLineControls|MIXERLINECONTROLS|size|24\0"
	.globl	_v78
	.align 4
_v78:
	.long	24
	.long	0
	.globl	_n79
	.align 32
_n79:
	.ascii "mixerGetLineControls|MIXERLINECONTROLS|cbStruct|0,4\0"
	.globl	_v79
	.align 4
_v79:
	.long	0
	.long	4
	.globl	_n80
	.align 32
_n80:
	.ascii "mixerGetLineControls|MIXERLINECONTROLS|dwLineID|4,4\0"
	.globl	_v80
	.align 4
_v80:
	.long	4
	.long	4
	.globl	_n81
	.align 32
_n81:
	.ascii "mixerGetLineControls|MIXERLINECONTROLS|dwControlType|8,4\0"
	.globl	_v81
	.align 4
_v81:
	.long	8
	.long	4
	.globl	_n82
	.align 32
_n82:
	.ascii "mixerGetLineControls|MIXERLINECONTROLS|cControls|12,4\0"
	.globl	_v82
	.align 4
_v82:
	.long	12
	.long	4
	.globl	_n83
	.align 32
_n83:
	.ascii "mixerGetLineControls|MIXERLINECONTROLS|cbmxctrl|16,4\0"
	.globl	_v83
	.align 4
_v83:
	.long	16
	.long	4
	.globl	_n84
	.align 32
_n84:
	.ascii "mixerGetLineControls|MIXERLINECONTROLS|pamxctrl|20,4\0"
	.globl	_v84
	.align 4
_v84:
	.long	20
	.long	4
	.globl	_n85
	.align 32
_n85:
	.ascii "mixerGetControlDetails|MIXERLINE|size|168\0"
	.globl	_v85
	.align 4
_v85:
	.long	168
	.long	0
	.globl	_n86
	.align 32
_n86:
	.ascii "mixerGetControlDetails|MIXERLINE|cbStruct|0,4\0"
	.globl	_v86
	.align 4
_v86:
	.long	0
	.long	4
	.globl	_n87
	.align 32
_n87:
	.ascii "mixerGetControlDetails|MIXERLINE|dwDestination|4,4\0"
	.globl	_v87
	.align 4
_v87:
	.long	4
	.long	4
	.globl	_n88
	.align 32
_n88:
	.ascii "mixerGetControlDetails|MIXERLINE|dwSource|8,4\0"
	.globl	_v88
	.align 4
_v88:
	.long	8
	.long	4
	.globl	_n89
	.align 32
_n89:
	.ascii "mixerGetControlDetails|MIXERLINE|dwLineID|12,4\0"
	.globl	_v89
	.align 4
_v89:
	.long	12
	.long	4
	.globl	_n90
	.align 32
_n90:
	.ascii "mixerGetControlDetails|MIXERLINE|fdwLine|16,4\0"
	.globl	_v90
	.align 4
_v90:
	.long	16
	.long	4
	.globl	_n91
	.align 32
_n91:
	.ascii "mixerGetControlDetails|MIXERLINE|dwUser|20,4\0"
	.globl	_v91
	.align 4
_v91:
	.long	20
	.long	4
	.globl	_n92
	.align 32
_n92:
	.ascii "mixerGetControlDetails|MIXERLINE|dwComponentType|24,4\0"
	.globl	_v92
	.align 4
_v92:
	.long	24
	.long	4
	.globl	_n93
	.align 32
_n93:
	.ascii "mixerGetControlDetails|MIXERLINE|cChannels|28,4\0"
	.globl	_v93
	.align 4
_v93:
	.long	28
	.long	4
	.globl	_n94
	.align 32
_n94:
	.ascii "mixerGetControlDetails|MIXERLINE|cConnections|32,4\0"
	.globl	_v94
	.align 4
_v94:
	.long	32
	.long	4
	.globl	_n95
	.align 32
_n95:
	.ascii "mixerGetControlDetails|MIXERLINE|cControls|36,4\0"
	.globl	_v95
	.align 4
_v95:
	.long	36
	.long	4
	.globl	_n96
	.align 32
_n96:
	.ascii "mixerGetControlDetails|MIXERLINE|szShortName|40,16\0"
	.globl	_v96
	.align 4
_v96:
	.long	40
	.long	16
	.globl	_n97
	.align 32
_n97:
	.ascii "mixerGetControlDetails|MIXERLINE|szName|56,64\0"
	.globl	_v97
	.align 4
_v97:
	.long	56
	.long	64
	.globl	_n98
	.align 32
_n98:
	.ascii "mixerGetControlDetails|MIXERLINE|Target|120,48\0"
	.globl	_v98
	.align 4
_v98:
	.long	120
	.long	48
	.globl	_n99
	.align 32
_n99:
	.ascii "mixerGetControlDetails|MIXERCONTROL|size|148\0"
	.globl	_v99
	.align 4
_v99:
	.long	148
	.long	0
	.globl	_n100
	.align 32
_n100:
	.ascii "mixerGetControlDetails|MIXERCONTROL|cbStruct|0,4\0"
	.globl	_v100
	.align 4
_v100:
	.long	0
	.long	4
	.globl	_n101
	.align 32
_n101:
	.ascii "mixerGetControlDetails|MIXERCONTROL|dwControlID|4,4\0"
	.globl	_v101
	.align 4
_v101:
	.long	4
	.long	4
	.globl	_n102
	.align 32
_n102:
	.ascii "mixerGetControlDetails|MIXERCONTROL|dwControlType|8,4\0"
	.globl	_v102
	.align 4
_v102:
	.long	8
	.long	4
	.globl	_n103
	.align 32
_n103:
	.ascii "mixerGetControlDetails|MIXERCONTROL|fdwControl|12,4\0"
	.globl	_v103
	.align 4
_v103:
	.long	12
	.long	4
	.globl	_n104
	.align 32
_n104:
	.ascii "mixerGetControlDetails|MIXERCONTROL|cMultipleItems|16,4\0"
	.globl	_v104
	.align 4
_v104:
	.long	16
	.long	4
	.globl	_n105
	.align 32
_n105:
	.ascii "mixerGetControlDetails|MIXERCONTROL|szShortName|20,16\0"
	.globl	_v105
	.align 4
_v105:
	.long	20
	.long	16
	.globl	_n106
	.align 32
_n106:
	.ascii "mixerGetControlDetails|MIXERCONTROL|szName|36,64\0"
	.globl	_v106
	.align 4
_v106:
	.long	36
	.long	64
	.globl	_n107
	.align 32
_n107:
	.ascii "mixerGetControlDetails|MIXERCONTROL|Bounds|100,24\0"
	.globl	_v107
	.align 4
_v107:
	.long	100
	.long	24
	.globl	_n108
	.align 32
_n108:
	.ascii "mixerGetControlDetails|MIXERCONTROL|Metrics|124,24\0"
	.globl	_v108
	.align 4
_v108:
	.long	124
	.long	24
	.globl	_n109
	.align 32
_n109:
	.ascii "mixerGetControlDetails|MIXERLINECONTROLS|size|24\0"
	.globl	_v109
	.align 4
_v109:
	.long	24
	.long	0
	.globl	_n110
	.align 32
_n110:
	.ascii "mixerGetControlDetails|MIXERLINECONTROLS|cbStruct|0,4\0"
	.globl	_v110
	.align 4
_v110:
	.long	0
	.long	4
	.globl	_n111
	.align 32
_n111:
	.ascii "mixerGetControlDetails|MIXERLINECONTROLS|dwLineID|4,4\0"
	.globl	_v111
	.align 4
_v111:
	.long	4
	.long	4
	.globl	_n112
	.align 32
_n112:
	.ascii "mixerGetControlDetails|MIXERLINECONTROLS|dwControlType|8,4\0"
	.globl	_v112
	.align 4
_v112:
	.long	8
	.long	4
	.globl	_n113
	.align 32
_n113:
	.ascii "mixerGetControlDetails|MIXERLINECONTROLS|cControls|12,4\0"
	.globl	_v113
	.align 4
_v113:
	.long	12
	.long	4
	.globl	_n114
	.align 32
_n114:
	.ascii "mixerGetControlDetails|MIXERLINECONTROLS|cbmxctrl|16,4\0"
	.globl	_v114
	.align 4
_v114:
	.long	16
	.long	4
	.globl	_n115
	.align 32
_n115:
	.ascii "mixerGetControlDetails|MIXERLINECONTROLS|pamxctrl|20,4\0"
	.globl	_v115
	.align 4
_v115:
	.long	20
	.long	4
	.globl	_n116
	.align 32
_n116:
	.ascii "mixerGetControlDetails|MIXERCONTROLDETAILS|size|24\0"
	.globl	_v116
	.align 4
_v116:
	.long	24
	.long	0
	.globl	_n117
	.align 32
_n117:
	.ascii "mixerGetControlDetails|MIXERCONTROLDETAILS|cbStruct|0,4\0"
	.globl	_v117
	.align 4
_v117:
	.long	0
	.long	4
	.globl	_n118
	.align 32
_n118:
	.ascii "mixerGetControlDetails|MIXERCONTROLDETAILS|dwControlID|4,4\0"
	.globl	_v118
	.align 4
_v118:
	.long	4
	.long	4
	.globl	_n119
	.align 32
_n119:
	.ascii "mixerGetControlDetails|MIXERCONTROLDETAILS|cChannels|8,4\0"
	.globl	_v119
	.align 4
_v119:
	.long	8
	.long	4
	.globl	_n120
	.align 32
_n120:
	.ascii "mixerGetControlDetails|MIXERCONTROLDETAILS|cMultipleItems|12,4\0"
	.globl	_v120
	.align 4
_v120:
	.long	12
	.long	4
	.globl	_n121
	.align 32
_n121:
	.ascii "mixerGetControlDetails|MIXERCONTROLDETAILS|cbDetails|16,4\0"
	.globl	_v121
	.align 4
_v121:
	.long	16
	.long	4
	.globl	_n122
	.align 32
_n122:
	.ascii "mixerGetControlDetails|MIXERCONTROLDETAILS|paDetails|20,4\0"
	.globl	_v122
	.align 4
_v122:
	.long	20
	.long	4
	.globl	_n123
	.align 32
_n123:
	.ascii "mixerSetControlDetails|MIXERLINE|size|168\0"
	.globl	_v123
	.align 4
_v123:
	.long	168
	.long	0
	.globl	_n124
	.align 32
_n124:
	.ascii "mixerSetControlDetails|MIXERLINE|cbStruct|0,4\0"
	.globl	_v124
	.align 4
_v124:
	.long	0
	.long	4
	.globl	_n125
	.align 32
_n125:
	.ascii "mixerSetControlDetails|MIXERLINE|dwDestination|4,4\0"
	.globl	_v125
	.align 4
_v125:
	.long	4
	.long	4
	.globl	_n126
	.align 32
_n126:
	.ascii "mixerSetControlDetails|MIXERLINE|dwSource|8,4\0"
	.globl	_v126
	.align 4
_v126:
	.long	8
	.long	4
	.globl	_n127
	.align 32
_n127:
	.ascii "mixerSetControlDetails|MIXERLINE|dwLineID|12,4\0"
	.globl	_v127
	.align 4
_v127:
	.long	12
	.long	4
	.globl	_n128
	.align 32
_n128:
	.ascii "mixerSetControlDetails|MIXERLINE|fdwLine|16,4\0"
	.globl	_v128
	.align 4
_v128:
	.long	16
	.long	4
	.globl	_n129
	.align 32
_n129:
	.ascii "mixerSetControlDetails|MIXERLINE|dwUser|20,4\0"
	.globl	_v129
	.align 4
_v129:
	.long	20
	.long	4
	.globl	_n130
	.align 32
_n130:
	.ascii "mixerSetControlDetails|MIXERLINE|dwComponentType|24,4\0"
	.globl	_v130
	.align 4
_v130:
	.long	24
	.long	4
	.globl	_n131
	.align 32
_n131:
	.ascii "mixerSetControlDetails|MIXERLINE|cChannels|28,4\0"
	.globl	_v131
	.align 4
_v131:
	.long	28
	.long	4
	.globl	_n132
	.align 32
_n132:
	.ascii "mixerSetControlDetails|MIXERLINE|cConnections|32,4\0"
	.globl	_v132
	.align 4
_v132:
	.long	32
	.long	4
	.globl	_n133
	.align 32
_n133:
	.ascii "mixerSetControlDetails|MIXERLINE|cControls|36,4\0"
	.globl	_v133
	.align 4
_v133:
	.long	36
	.long	4
	.globl	_n134
	.align 32
_n134:
	.ascii "mixerSetControlDetails|MIXERLINE|szShortName|40,16\0"
	.globl	_v134
	.align 4
_v134:
	.long	40
	.long	16
	.globl	_n135
	.align 32
_n135:
	.ascii "mixerSetControlDetails|MIXERLINE|szName|56,64\0"
	.globl	_v135
	.align 4
_v135:
	.long	56
	.long	64
	.globl	_n136
	.align 32
_n136:
	.ascii "mixerSetControlDetails|MIXERLINE|Target|120,48\0"
	.globl	_v136
	.align 4
_v136:
	.long	120
	.long	48
	.globl	_n137
	.align 32
_n137:
	.ascii "mixerSetControlDetails|MIXERCONTROL|size|148\0"
	.globl	_v137
	.align 4
_v137:
	.long	148
	.long	0
	.globl	_n138
	.align 32
_n138:
	.ascii "mixerSetControlDetails|MIXERCONTROL|cbStruct|0,4\0"
	.globl	_v138
	.align 4
_v138:
	.long	0
	.long	4
	.globl	_n139
	.align 32
_n139:
	.ascii "mixerSetControlDetails|MIXERCONTROL|dwControlID|4,4\0"
	.globl	_v139
	.align 4
_v139:
	.long	4
	.long	4
	.globl	_n140
	.align 32
_n140:
	.ascii "mixerSetControlDetails|MIXERCONTROL|dwControlType|8,4\0"
	.globl	_v140
	.align 4
_v140:
	.long	8
	.long	4
	.globl	_n141
	.align 32
_n141:
	.ascii "mixerSetControlDetails|MIXERCONTROL|fdwControl|12,4\0"
	.globl	_v141
	.align 4
_v141:
	.long	12
	.long	4
	.globl	_n142
	.align 32
_n142:
	.ascii "mixerSetControlDetails|MIXERCONTROL|cMultipleItems|16,4\0"
	.globl	_v142
	.align 4
_v142:
	.long	16
	.long	4
	.globl	_n143
	.align 32
_n143:
	.ascii "mixerSetControlDetails|MIXERCONTROL|szShortName|20,16\0"
	.globl	_v143
	.align 4
_v143:
	.long	20
	.long	16
	.globl	_n144
	.align 32
_n144:
	.ascii "mixerSetControlDetails|MIXERCONTROL|szName|36,64\0"
	.globl	_v144
	.align 4
_v144:
	.long	36
	.long	64
	.globl	_n145
	.align 32
_n145:
	.ascii "mixerSetControlDetails|MIXERCONTROL|Bounds|100,24\0"
	.globl	_v145
	.align 4
_v145:
	.long	100
	.long	24
	.globl	_n146
	.align 32
_n146:
	.ascii "mixerSetControlDetails|MIXERCONTROL|Metrics|124,24\0"
	.globl	_v146
	.align 4
_v146:
	.long	124
	.long	24
	.globl	_n147
	.align 32
_n147:
	.ascii "mixerSetControlDetails|MIXERLINECONTROLS|size|24\0"
	.globl	_v147
	.align 4
_v147:
	.long	24
	.long	0
	.globl	_n148
	.align 32
_n148:
	.ascii "mixerSetControlDetails|MIXERLINECONTROLS|cbStruct|0,4\0"
	.globl	_v148
	.align 4
_v148:
	.long	0
	.long	4
	.globl	_n149
	.align 32
_n149:
	.ascii "mixerSetControlDetails|MIXERLINECONTROLS|dwLineID|4,4\0"
	.globl	_v149
	.align 4
_v149:
	.long	4
	.long	4
	.globl	_n150
	.align 32
_n150:
	.ascii "mixerSetControlDetails|MIXERLINECONTROLS|dwControlType|8,4\0"
	.globl	_v150
	.align 4
_v150:
	.long	8
	.long	4
	.globl	_n151
	.align 32
_n151:
	.ascii "mixerSetControlDetails|MIXERLINECONTROLS|cControls|12,4\0"
	.globl	_v151
	.align 4
_v151:
	.long	12
	.long	4
	.globl	_n152
	.align 32
_n152:
	.ascii "mixerSetControlDetails|MIXERLINECONTROLS|cbmxctrl|16,4\0"
	.globl	_v152
	.align 4
_v152:
	.long	16
	.long	4
	.globl	_n153
	.align 32
_n153:
	.ascii "mixerSetControlDetails|MIXERLINECONTROLS|pamxctrl|20,4\0"
	.globl	_v153
	.align 4
_v153:
	.long	20
	.long	4
	.globl	_n154
	.align 32
_n154:
	.ascii "mixerSetControlDetails|MIXERCONTROLDETAILS|size|24\0"
	.globl	_v154
	.align 4
_v154:
	.long	24
	.long	0
	.globl	_n155
	.align 32
_n155:
	.ascii "mixerSetControlDetails|MIXERCONTROLDETAILS|cbStruct|0,4\0"
	.globl	_v155
	.align 4
_v155:
	.long	0
	.long	4
	.globl	_n156
	.align 32
_n156:
	.ascii "mixerSetControlDetails|MIXERCONTROLDETAILS|dwControlID|4,4\0"
	.globl	_v156
	.align 4
_v156:
	.long	4
	.long	4
	.globl	_n157
	.align 32
_n157:
	.ascii "mixerSetControlDetails|MIXERCONTROLDETAILS|cChannels|8,4\0"
	.globl	_v157
	.align 4
_v157:
	.long	8
	.long	4
	.globl	_n158
	.align 32
_n158:
	.ascii "mixerSetControlDetails|MIXERCONTROLDETAILS|cMultipleItems|12,4\0"
	.globl	_v158
	.align 4
_v158:
	.long	12
	.long	4
	.globl	_n159
	.align 32
_n159:
	.ascii "mixerSetControlDetails|MIXERCONTROLDETAILS|cbDetails|16,4\0"
	.globl	_v159
	.align 4
_v159:
	.long	16
	.long	4
	.globl	_n160
	.align 32
_n160:
	.ascii "mixerSetControlDetails|MIXERCONTROLDETAILS|paDetails|20,4\0"
	.globl	_v160
	.align 4
_v160:
	.long	20
	.long	4
	.globl	_n161
	.align 4
_n161:
	.ascii "gethostbyname|HOSTENT|size|16\0"
	.globl	_v161
	.align 4
_v161:
	.long	16
	.long	0
	.globl	_n162
	.align 32
_n162:
	.ascii "gethostbyname|HOSTENT|h_name|0,4\0"
	.globl	_v162
	.align 4
_v162:
	.long	0
	.long	4
	.globl	_n163
	.align 32
_n163:
	.ascii "gethostbyname|HOSTENT|h_aliases|4,4\0"
	.globl	_v163
	.align 4
_v163:
	.long	4
	.long	4
	.globl	_n164
	.align 32
_n164:
	.ascii "gethostbyname|HOSTENT|h_addrtype|8,2\0"
	.globl	_v164
	.align 4
_v164:
	.long	8
	.long	2
	.globl	_n165
	.align 32
_n165:
	.ascii "gethostbyname|HOSTENT|h_length|10,2\0"
	.globl	_v165
	.align 4
_v165:
	.long	10
	.long	2
	.globl	_n166
	.align 32
_n166:
	.ascii "gethostbyname|HOSTENT|h_addr_list|12,4\0"
	.globl	_v166
	.align 4
_v166:
	.long	12
	.long	4
	.globl	_n167
	.align 4
_n167:
	.ascii "gethostbyname|WSADATA|size|400\0"
	.globl	_v167
	.align 4
_v167:
	.long	400
	.long	0
	.globl	_n168
	.align 32
_n168:
	.ascii "gethostbyname|WSADATA|wVersion|0,2\0"
	.globl	_v168
	.align 4
_v168:
	.long	0
	.long	2
	.globl	_n169
	.align 32
_n169:
	.ascii "gethostbyname|WSADATA|wHighVersion|2,2\0"
	.globl	_v169
	.align 4
_v169:
	.long	2
	.long	2
	.globl	_n170
	.align 32
_n170:
	.ascii "gethostbyname|WSADATA|szDescription|4,257\0"
	.globl	_v170
	.align 4
_v170:
	.long	4
	.long	257
	.globl	_n171
	.align 32
_n171:
	.ascii "gethostbyname|WSADATA|szSystemStatus|261,129\0"
	.globl	_v171
	.align 4
_v171:
	.long	261
	.long	129
	.globl	_n172
	.align 32
_n172:
	.ascii "gethostbyname|WSADATA|iMaxSockets|390,2\0"
	.globl	_v172
	.align 4
_v172:
	.long	390
	.long	2
	.globl	_n173
	.align 32
_n173:
	.ascii "gethostbyname|WSADATA|iMaxUdpDg|392,2\0"
	.globl	_v173
	.align 4
_v173:
	.long	392
	.long	2
	.globl	_n174
	.align 32
_n174:
	.ascii "gethostbyname|WSADATA|lpVendorInfo|396,4\0"
	.globl	_v174
	.align 4
_v174:
	.long	396
	.long	4
	.globl	_n175
	.align 4
_n175:
	.ascii "WSAStartup|WSADATA|size|400\0"
	.globl	_v175
	.align 4
_v175:
	.long	400
	.long	0
	.globl	_n176
	.align 32
_n176:
	.ascii "WSAStartup|WSADATA|wVersion|0,2\0"
	.globl	_v176
	.align 4
_v176:
	.long	0
	.long	2
	.globl	_n177
	.align 32
_n177:
	.ascii "WSAStartup|WSADATA|wHighVersion|2,2\0"
	.globl	_v177
	.align 4
_v177:
	.long	2
	.long	2
	.globl	_n178
	.align 32
_n178:
	.ascii "WSAStartup|WSADATA|szDescription|4,257\0"
	.globl	_v178
	.align 4
_v178:
	.long	4
	.long	257
	.globl	_n179
	.align 32
_n179:
	.ascii "WSAStartup|WSADATA|szSystemStatus|261,129\0"
	.globl	_v179
	.align 4
_v179:
	.long	261
	.long	129
	.globl	_n180
	.align 32
_n180:
	.ascii "WSAStartup|WSADATA|iMaxSockets|390,2\0"
	.globl	_v180
	.align 4
_v180:
	.long	390
	.long	2
	.globl	_n181
	.align 32
_n181:
	.ascii "WSAStartup|WSADATA|iMaxUdpDg|392,2\0"
	.globl	_v181
	.align 4
_v181:
	.long	392
	.long	2
	.globl	_n182
	.align 32
_n182:
	.ascii "WSAStartup|WSADATA|lpVendorInfo|396,4\0"
	.globl	_v182
	.align 4
_v182:
	.long	396
	.long	4
	.globl	_n183
	.align 4
_n183:
	.ascii "WSACleanup|WSADATA|size|400\0"
	.globl	_v183
	.align 4
_v183:
	.long	400
	.long	0
	.globl	_n184
	.align 32
_n184:
	.ascii "WSACleanup|WSADATA|wVersion|0,2\0"
	.globl	_v184
	.align 4
_v184:
	.long	0
	.long	2
	.globl	_n185
	.align 32
_n185:
	.ascii "WSACleanup|WSADATA|wHighVersion|2,2\0"
	.globl	_v185
	.align 4
_v185:
	.long	2
	.long	2
	.globl	_n186
	.align 32
_n186:
	.ascii "WSACleanup|WSADATA|szDescription|4,257\0"
	.globl	_v186
	.align 4
_v186:
	.long	4
	.long	257
	.globl	_n187
	.align 32
_n187:
	.ascii "WSACleanup|WSADATA|szSystemStatus|261,129\0"
	.globl	_v187
	.align 4
_v187:
	.long	261
	.long	129
	.globl	_n188
	.align 32
_n188:
	.ascii "WSACleanup|WSADATA|iMaxSockets|390,2\0"
	.globl	_v188
	.align 4
_v188:
	.long	390
	.long	2
	.globl	_n189
	.align 32
_n189:
	.ascii "WSACleanup|WSADATA|iMaxUdpDg|392,2\0"
	.globl	_v189
	.align 4
_v189:
	.long	392
	.long	2
	.globl	_n190
	.align 32
_n190:
	.ascii "WSACleanup|WSADATA|lpVendorInfo|396,4\0"
	.globl	_v190
	.align 4
_v190:
	.long	396
	.long	4
	.globl	_n191
	.align 32
_n191:
	.ascii "IcmpSendEcho|IP_OPTION_INFORMATION|size|8\0"
	.globl	_v191
	.align 4
_v191:
	.long	8
	.long	0
	.globl	_n192
	.align 32
_n192:
	.ascii "IcmpSendEcho|IP_OPTION_INFORMATION|Ttl|0,1\0"
	.globl	_v192
	.align 4
_v192:
	.long	0
	.long	1
	.globl	_n193
	.align 32
_n193:
	.ascii "IcmpSendEcho|IP_OPTION_INFORMATION|Tos|1,1\0"
	.globl	_v193
	.align 4
_v193:
	.long	1
	.long	1
	.globl	_n194
	.align 32
_n194:
	.ascii "IcmpSendEcho|IP_OPTION_INFORMATION|Flags|2,1\0"
	.globl	_v194
	.align 4
_v194:
	.long	2
	.long	1
	.globl	_n195
	.align 32
_n195:
	.ascii "IcmpSendEcho|IP_OPTION_INFORMATION|OptionsSize|3,1\0"
	.globl	_v195
	.align 4
_v195:
	.long	3
	.long	1
	.globl	_n196
	.align 32
_n196:
	.ascii "IcmpSendEcho|IP_OPTION_INFORMATION|OptionsData|4,4\0"
	.globl	_v196
	.align 4
_v196:
	.long	4
	.long	4
	.globl	_n197
	.align 32
_n197:
	.ascii "IcmpSendEcho|ICMP_ECHO_REPLY|size|28\0"
	.globl	_v197
	.align 4
_v197:
	.long	28
	.long	0
	.globl	_n198
	.align 32
_n198:
	.ascii "IcmpSendEcho|ICMP_ECHO_REPLY|Address|0,4\0"
	.globl	_v198
	.align 4
_v198:
	.long	0
	.long	4
	.globl	_n199
	.align 32
_n199:
	.ascii "IcmpSendEcho|ICMP_ECHO_REPLY|Status|4,4\0"
	.globl	_v199
	.align 4
_v199:
	.long	4
	.long	4
	.globl	_n200
	.align 32
_n200:
	.ascii "IcmpSendEcho|ICMP_ECHO_REPLY|RoundTripTime|8,4\0"
	.globl	_v200
	.align 4
_v200:
	.long	8
	.long	4
	.globl	_n201
	.align 32
_n201:
	.ascii "IcmpSendEcho|ICMP_ECHO_REPLY|DataSize|12,2\0"
	.globl	_v201
	.align 4
_v201:
	.long	12
	.long	2
	.globl	_n202
	.align 32
_n202:
	.ascii "IcmpSendEcho|ICMP_ECHO_REPLY|Reserved|14,2\0"
	.globl	_v202
	.align 4
_v202:
	.long	14
	.long	2
	.globl	_n203
	.align 32
_n203:
	.ascii "IcmpSendEcho|ICMP_ECHO_REPLY|Data|16,4\0"
	.globl	_v203
	.align 4
_v203:
	.long	16
	.long	4
	.globl	_n204
	.align 32
_n204:
	.ascii "IcmpSendEcho|ICMP_ECHO_REPLY|Options|20,8\0"
	.globl	_v204
	.align 4
_v204:
	.long	20
	.long	8
	.globl	_n205
	.align 32
_n205:
	.ascii "GetAdaptersInfo|IP_ADDR_STRING|size|40\0"
	.globl	_v205
	.align 4
_v205:
	.long	40
	.long	0
	.globl	_n206
	.align 32
_n206:
	.ascii "GetAdaptersInfo|IP_ADDR_STRING|pNext|0,4\0"
	.globl	_v206
	.align 4
_v206:
	.long	0
	.long	4
	.globl	_n207
	.align 32
_n207:
	.ascii "GetAdaptersInfo|IP_ADDR_STRING|IpAddress|4,16\0"
	.globl	_v207
	.align 4
_v207:
	.long	4
	.long	16
	.globl	_n208
	.align 32
_n208:
	.ascii "GetAdaptersInfo|IP_ADDR_STRING|IpMask|20,16\0"
	.globl	_v208
	.align 4
_v208:
	.long	20
	.long	16
	.globl	_n209
	.align 32
_n209:
	.ascii "GetAdaptersInfo|IP_ADDR_STRING|Context|36,4\0"
	.globl	_v209
	.align 4
_v209:
	.long	36
	.long	4
	.globl	_n210
	.align 32
_n210:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|size|640\0"
	.globl	_v210
	.align 4
_v210:
	.long	640
	.long	0
	.globl	_n211
	.align 32
_n211:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|pNext|0,4\0"
	.globl	_v211
	.align 4
_v211:
	.long	0
	.long	4
	.globl	_n212
	.align 32
_n212:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|ComboIndex|4,4\0"
	.globl	_v212
	.align 4
_v212:
	.long	4
	.long	4
	.globl	_n213
	.align 32
_n213:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|AdapterName|8,260\0"
	.globl	_v213
	.align 4
_v213:
	.long	8
	.long	260
	.globl	_n214
	.align 32
_n214:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|Description|268,132\0"
	.globl	_v214
	.align 4
_v214:
	.long	268
	.long	132
	.globl	_n215
	.align 32
_n215:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|AddressLength|400,4\0"
	.globl	_v215
	.align 4
_v215:
	.long	400
	.long	4
	.globl	_n216
	.align 32
_n216:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|Address|404,8\0"
	.globl	_v216
	.align 4
_v216:
	.long	404
	.long	8
	.globl	_n217
	.align 32
_n217:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|Index|412,4\0"
	.globl	_v217
	.align 4
_v217:
	.long	412
	.long	4
	.globl	_n218
	.align 32
_n218:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|dwType|416,4\0"
	.globl	_v218
	.align 4
_v218:
	.long	416
	.long	4
	.globl	_n219
	.align 32
_n219:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|DhcpEnabled|420,4\0"
	.globl	_v219
	.align 4
_v219:
	.long	420
	.long	4
	.globl	_n220
	.align 32
_n220:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|CurrentIpAddress|424,4\0"
	.globl	_v220
	.align 4
_v220:
	.long	424
	.long	4
	.globl	_n221
	.align 32
_n221:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|IpAddressList|428,40\0"
	.globl	_v221
	.align 4
_v221:
	.long	428
	.long	40
	.globl	_n222
	.align 32
_n222:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|GatewayList|468,40\0"
	.globl	_v222
	.align 4
_v222:
	.long	468
	.long	40
	.globl	_n223
	.align 32
_n223:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|DhcpServer|508,40\0"
	.globl	_v223
	.align 4
_v223:
	.long	508
	.long	40
	.globl	_n224
	.align 32
_n224:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|HaveWins|548,4\0"
	.globl	_v224
	.align 4
_v224:
	.long	548
	.long	4
	.globl	_n225
	.align 32
_n225:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|PrimaryWinsServer|552,40\0"
	.globl	_v225
	.align 4
_v225:
	.long	552
	.long	40
	.globl	_n226
	.align 32
_n226:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|SecondaryWinsServer|592,40\0"
	.globl	_v226
	.align 4
_v226:
	.long	592
	.long	40
	.globl	_n227
	.align 32
_n227:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|LeaseObtained|632,4\0"
	.globl	_v227
	.align 4
_v227:
	.long	632
	.long	4
	.globl	_n228
	.align 32
_n228:
	.ascii "GetAdaptersInfo|IP_ADAPTER_INFO|LeaseExpires|636,4\0"
	.globl	_v228
	.align 4
_v228:
	.long	636
	.long	4
	.globl	_n229
	.align 32
_n229:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|size|52\0"
	.globl	_v229
	.align 4
_v229:
	.long	52
	.long	0
	.globl	_n230
	.align 32
_n230:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|wMid|0,2\0"
	.globl	_v230
	.align 4
_v230:
	.long	0
	.long	2
	.globl	_n231
	.align 32
_n231:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|wPid|2,2\0"
	.globl	_v231
	.align 4
_v231:
	.long	2
	.long	2
	.globl	_n232
	.align 32
_n232:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|vDriverVersion|4,4\0"
	.globl	_v232
	.align 4
_v232:
	.long	4
	.long	4
	.globl	_n233
	.align 32
_n233:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|szPname|8,32\0"
	.globl	_v233
	.align 4
_v233:
	.long	8
	.long	32
	.globl	_n234
	.align 32
_n234:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|wTechnology|40,2\0"
	.globl	_v234
	.align 4
_v234:
	.long	40
	.long	2
	.globl	_n235
	.align 32
_n235:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|wVoices|42,2\0"
	.globl	_v235
	.align 4
_v235:
	.long	42
	.long	2
	.globl	_n236
	.align 32
_n236:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|wNotes|44,2\0"
	.globl	_v236
	.align 4
_v236:
	.long	44
	.long	2
	.globl	_n237
	.align 32
_n237:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|wChannelMask|46,2\0"
	.globl	_v237
	.align 4
_v237:
	.long	46
	.long	2
	.globl	_n238
	.align 32
_n238:
	.ascii "midiOutGetDevCaps|MIDIOUTCAPS|dwSupport|48,4\0"
	.globl	_v238
	.align 4
_v238:
	.long	48
	.long	4
	.globl	_n239
	.align 32
_n239:
	.ascii "mixerGetNumDevs|MIXERCAPS|size|48\0"
	.globl	_v239
	.align 4
_v239:
	.long	48
	.long	0
	.globl	_n240
	.align 32
_n240:
	.ascii "mixerGetNumDevs|MIXERCAPS|wMid|0,2\0"
	.globl	_v240
	.align 4
_v240:
	.long	0
	.long	2
	.globl	_n241
	.align 32
_n241:
	.ascii "mixerGetNumDevs|MIXERCAPS|wPid|2,2\0"
	.globl	_v241
	.align 4
_v241:
	.long	2
	.long	2
	.globl	_n242
	.align 32
_n242:
	.ascii "mixerGetNumDevs|MIXERCAPS|vDriverVersion|4,4\0"
	.globl	_v242
	.align 4
_v242:
	.long	4
	.long	4
	.globl	_n243
	.align 32
_n243:
	.ascii "mixerGetNumDevs|MIXERCAPS|szPname|8,32\0"
	.globl	_v243
	.align 4
_v243:
	.long	8
	.long	32
	.globl	_n244
	.align 32
_n244:
	.ascii "mixerGetNumDevs|MIXERCAPS|fdwSupport|40,4\0"
	.globl	_v244
	.align 4
_v244:
	.long	40
	.long	4
	.globl	_n245
	.align 32
_n245:
	.ascii "mixerGetNumDevs|MIXERCAPS|cDestinations|44,4\0"
	.globl	_v245
	.align 4
_v245:
	.long	44
	.long	4
	.globl	_n246
	.align 32
_n246:
	.ascii "mixerGetLineInfo|MIXERLINE|size|168\0"
	.globl	_v246
	.align 4
_v246:
	.long	168
	.long	0
	.globl	_n247
	.align 32
_n247:
	.ascii "mixerGetLineInfo|MIXERLINE|cbStruct|0,4\0"
	.globl	_v247
	.align 4
_v247:
	.long	0
	.long	4
	.globl	_n248
	.align 32
_n248:
	.ascii "mixerGetLineInfo|MIXERLINE|dwDestination|4,4\0"
	.globl	_v248
	.align 4
_v248:
	.long	4
	.long	4
	.globl	_n249
	.align 32
_n249:
	.ascii "mixerGetLineInfo|MIXERLINE|dwSource|8,4\0"
	.globl	_v249
	.align 4
_v249:
	.long	8
	.long	4
	.globl	_n250
	.align 32
_n250:
	.ascii "mixerGetLineInfo|MIXERLINE|dwLineID|12,4\0"
	.globl	_v250
	.align 4
_v250:
	.long	12
	.long	4
	.globl	_n251
	.align 32
_n251:
	.ascii "mixerGetLineInfo|MIXERLINE|fdwLine|16,4\0"
	.globl	_v251
	.align 4
_v251:
	.long	16
	.long	4
	.globl	_n252
	.align 32
_n252:
	.ascii "mixerGetLineInfo|MIXERLINE|dwUser|20,4\0"
	.globl	_v252
	.align 4
_v252:
	.long	20
	.long	4
	.globl	_n253
	.align 32
_n253:
	.ascii "mixerGetLineInfo|MIXERLINE|dwComponentType|24,4\0"
	.globl	_v253
	.align 4
_v253:
	.long	24
	.long	4
	.globl	_n254
	.align 32
_n254:
	.ascii "mixerGetLineInfo|MIXERLINE|cChannels|28,4\0"
	.globl	_v254
	.align 4
_v254:
	.long	28
	.long	4
	.globl	_n255
	.align 32
_n255:
	.ascii "mixerGetLineInfo|MIXERLINE|cConnections|32,4\0"
	.globl	_v255
	.align 4
_v255:
	.long	32
	.long	4
	.globl	_n256
	.align 32
_n256:
	.ascii "mixerGetLineInfo|MIXERLINE|cControls|36,4\0"
	.globl	_v256
	.align 4
_v256:
	.long	36
	.long	4
	.globl	_n257
	.align 32
_n257:
	.ascii "mixerGetLineInfo|MIXERLINE|szShortName|40,16\0"
	.globl	_v257
	.align 4
_v257:
	.long	40
	.long	16
	.globl	_n258
	.align 32
_n258:
	.ascii "mixerGetLineInfo|MIXERLINE|szName|56,64\0"
	.globl	_v258
	.align 4
_v258:
	.long	56
	.long	64
	.globl	_n259
	.align 32
_n259:
	.ascii "mixerGetLineInfo|MIXERLINE|Target|120,48\0"
	.globl	_v259
	.align 4
_v259:
	.long	120
	.long	48
	.ident	"GCC: (GNU) 12-win32"
