#pragma once

// The window messages and style bits that the editing area answers, with their own values, so
// that code driving it by message reads like the calls it stands for.
namespace WindowMessages {

constexpr unsigned WM_CUT = 0x300;
constexpr unsigned WM_COPY = 0x301;
constexpr unsigned WM_PASTE = 0x302;
constexpr unsigned WM_CLEAR = 0x303;
constexpr unsigned WM_UNDO = 0x304;

constexpr unsigned EM_GETLINECOUNT = 0xBA;
constexpr unsigned EM_LINEINDEX = 0xBB;
constexpr unsigned EM_LINELENGTH = 0xC1;
constexpr unsigned EM_GETLINE = 0xC4;
constexpr unsigned EM_CANUNDO = 0xC6;
constexpr unsigned EM_LINEFROMCHAR = 0xC9;
constexpr unsigned EM_SETTABSTOPS = 0xCB;
constexpr unsigned EM_GETFIRSTVISIBLELINE = 0xCE;
constexpr unsigned EM_SETTARGETDEVICE = 0x448;
constexpr unsigned EM_CANREDO = 0x455;

// Window style bits (GWL_STYLE).
constexpr int GWL_STYLE = -16;
constexpr int WS_HSCROLL = 0x00100000;
constexpr int WS_VSCROLL = 0x00200000;
constexpr int ES_MULTILINE = 0x0004;
constexpr int ES_AUTOVSCROLL = 0x0040;
constexpr int ES_AUTOHSCROLL = 0x0080;

// SetWindowPos flags.
constexpr unsigned SWP_NOSIZE = 0x0001;
constexpr unsigned SWP_NOMOVE = 0x0002;
constexpr unsigned SWP_NOZORDER = 0x0004;
constexpr unsigned SWP_FRAMECHANGED = 0x0020;
constexpr unsigned SWP_NOOWNERZORDER = 0x0200;

} // namespace WindowMessages
