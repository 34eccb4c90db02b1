// TWAIN constants shared by the data source, the host program and our source
// manager. Names and values are TWAIN's own (protocol 1.x, 32-bit Windows,
// and the few TWAIN 2 additions through which a 2.x manager hands a source
// its entry points).
#pragma once

#include <cstdint>

// Data groups.
constexpr uint32_t DG_CONTROL = 0x0001;
constexpr uint32_t DG_IMAGE = 0x0002;
constexpr uint32_t DG_AUDIO = 0x0004;

// SupportedGroups flags of TWAIN 2: the identity's owner speaks 2.x as a
// source manager, an application or a data source.
constexpr uint32_t DF_DSM2 = 0x10000000;
constexpr uint32_t DF_APP2 = 0x20000000;
constexpr uint32_t DF_DS2 = 0x40000000;

// Data argument types.
constexpr uint16_t DAT_NULL = 0x0000;
constexpr uint16_t DAT_CAPABILITY = 0x0001;
constexpr uint16_t DAT_EVENT = 0x0002;
constexpr uint16_t DAT_IDENTITY = 0x0003;
constexpr uint16_t DAT_PARENT = 0x0004;
constexpr uint16_t DAT_PENDINGXFERS = 0x0005;
constexpr uint16_t DAT_SETUPMEMXFER = 0x0006;
constexpr uint16_t DAT_SETUPFILEXFER = 0x0007;
constexpr uint16_t DAT_STATUS = 0x0008;
constexpr uint16_t DAT_USERINTERFACE = 0x0009;
constexpr uint16_t DAT_XFERGROUP = 0x000A;
constexpr uint16_t DAT_IMAGEINFO = 0x0101;
constexpr uint16_t DAT_IMAGELAYOUT = 0x0102;
constexpr uint16_t DAT_IMAGEMEMXFER = 0x0103;
constexpr uint16_t DAT_IMAGENATIVEXFER = 0x0104;
constexpr uint16_t DAT_IMAGEFILEXFER = 0x0105;
constexpr uint16_t DAT_CIECOLOR = 0x0106;
constexpr uint16_t DAT_GRAYRESPONSE = 0x0107;
constexpr uint16_t DAT_RGBRESPONSE = 0x0108;
constexpr uint16_t DAT_JPEGCOMPRESSION = 0x0109;
constexpr uint16_t DAT_PALETTE8 = 0x010A;
constexpr uint16_t DAT_ENTRYPOINT = 0x0403;
constexpr uint16_t DAT_CUSTOMBASE = 0x8000;

// Messages.
constexpr uint16_t MSG_NULL = 0x0000;
constexpr uint16_t MSG_GET = 0x0001;
constexpr uint16_t MSG_GETCURRENT = 0x0002;
constexpr uint16_t MSG_GETDEFAULT = 0x0003;
constexpr uint16_t MSG_GETFIRST = 0x0004;
constexpr uint16_t MSG_GETNEXT = 0x0005;
constexpr uint16_t MSG_SET = 0x0006;
constexpr uint16_t MSG_RESET = 0x0007;
constexpr uint16_t MSG_QUERYSUPPORT = 0x0008;
constexpr uint16_t MSG_XFERREADY = 0x0101;
constexpr uint16_t MSG_CLOSEDSREQ = 0x0102;
constexpr uint16_t MSG_CLOSEDSOK = 0x0103;
constexpr uint16_t MSG_DEVICEEVENT = 0x0104;
constexpr uint16_t MSG_CHECKSTATUS = 0x0201;
constexpr uint16_t MSG_OPENDSM = 0x0301;
constexpr uint16_t MSG_CLOSEDSM = 0x0302;
constexpr uint16_t MSG_OPENDS = 0x0401;
constexpr uint16_t MSG_CLOSEDS = 0x0402;
constexpr uint16_t MSG_USERSELECT = 0x0403;
constexpr uint16_t MSG_DISABLEDS = 0x0501;
constexpr uint16_t MSG_ENABLEDS = 0x0502;
constexpr uint16_t MSG_ENABLEDSUIONLY = 0x0503;
constexpr uint16_t MSG_PROCESSEVENT = 0x0601;
constexpr uint16_t MSG_ENDXFER = 0x0701;
constexpr uint16_t MSG_STOPFEEDER = 0x0702;

// Return codes.
constexpr uint16_t TWRC_SUCCESS = 0;
constexpr uint16_t TWRC_FAILURE = 1;
constexpr uint16_t TWRC_CHECKSTATUS = 2;
constexpr uint16_t TWRC_CANCEL = 3;
constexpr uint16_t TWRC_DSEVENT = 4;
constexpr uint16_t TWRC_NOTDSEVENT = 5;
constexpr uint16_t TWRC_XFERDONE = 6;
constexpr uint16_t TWRC_ENDOFLIST = 7;

// Condition codes.
constexpr uint16_t TWCC_SUCCESS = 0;
constexpr uint16_t TWCC_BUMMER = 1;
constexpr uint16_t TWCC_LOWMEMORY = 2;
constexpr uint16_t TWCC_NODS = 3;
constexpr uint16_t TWCC_MAXCONNECTIONS = 4;
constexpr uint16_t TWCC_OPERATIONERROR = 5;
constexpr uint16_t TWCC_BADCAP = 6;
constexpr uint16_t TWCC_BADPROTOCOL = 9;
constexpr uint16_t TWCC_BADVALUE = 10;
constexpr uint16_t TWCC_SEQERROR = 11;
constexpr uint16_t TWCC_BADDEST = 12;

// Container types.
constexpr uint16_t TWON_ARRAY = 3;
constexpr uint16_t TWON_ENUMERATION = 4;
constexpr uint16_t TWON_ONEVALUE = 5;
constexpr uint16_t TWON_RANGE = 6;
constexpr uint16_t TWON_DONTCARE16 = 0xFFFF;

// Item types.
constexpr uint16_t TWTY_INT8 = 0x0000;
constexpr uint16_t TWTY_INT16 = 0x0001;
constexpr uint16_t TWTY_INT32 = 0x0002;
constexpr uint16_t TWTY_UINT8 = 0x0003;
constexpr uint16_t TWTY_UINT16 = 0x0004;
constexpr uint16_t TWTY_UINT32 = 0x0005;
constexpr uint16_t TWTY_BOOL = 0x0006;
constexpr uint16_t TWTY_FIX32 = 0x0007;
constexpr uint16_t TWTY_FRAME = 0x0008;
constexpr uint16_t TWTY_STR32 = 0x0009;

// Capabilities.
constexpr uint16_t CAP_XFERCOUNT = 0x0001;
constexpr uint16_t ICAP_COMPRESSION = 0x0100;
constexpr uint16_t ICAP_PIXELTYPE = 0x0101;
constexpr uint16_t ICAP_UNITS = 0x0102;
constexpr uint16_t ICAP_XFERMECH = 0x0103;
constexpr uint16_t ICAP_XRESOLUTION = 0x1118;
constexpr uint16_t ICAP_YRESOLUTION = 0x1119;

// Capability values.
constexpr uint16_t TWPT_BW = 0;
constexpr uint16_t TWPT_GRAY = 1;
constexpr uint16_t TWPT_RGB = 2;
constexpr uint16_t TWPT_PALETTE = 3;
constexpr uint16_t TWUN_INCHES = 0;
constexpr uint16_t TWUN_CENTIMETERS = 1;
constexpr uint16_t TWUN_PICAS = 2;
constexpr uint16_t TWUN_POINTS = 3;
constexpr uint16_t TWSX_NATIVE = 0;
constexpr uint16_t TWSX_FILE = 1;
constexpr uint16_t TWSX_MEMORY = 2;
constexpr uint16_t TWCP_NONE = 0;

// TW_MEMORY Flags: who owns the strip buffer, and whether TheMem is a
// pointer or a global handle.
constexpr uint32_t TWMF_APPOWNS = 0x0001;
constexpr uint32_t TWMF_DSMOWNS = 0x0002;
constexpr uint32_t TWMF_DSOWNS = 0x0004;
constexpr uint32_t TWMF_POINTER = 0x0008;
constexpr uint32_t TWMF_HANDLE = 0x0010;

// Languages and countries of TW_VERSION.
constexpr uint16_t TWLG_USA = 13;
constexpr uint16_t TWLG_JAPANESE = 22;
constexpr uint16_t TWCY_USA = 1;
constexpr uint16_t TWCY_JAPAN = 81;
