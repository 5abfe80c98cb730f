#include "main_window/form1_layout_win.h"

#include <commctrl.h>
#include <imm.h>

#include <iterator>

#include "platform/ui_font_win.h"
#include "platform/window_layout_win.h"
#include "res/resource.h"
#include "res/strings.h"
#include "wake_job/after_wake.h"
#include "wake_job/wake_time.h"

namespace {
constexpr wchar_t kForm1Class[] = L"ReveiloForm1";
constexpr int kClientWidthTwips = 2775;
constexpr int kClientHeightTwips = 3495;
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// The drop-down list below an editable combo box, beyond its edit field.
constexpr int kComboListTwips = 3000;
constexpr int kStatusPartTwips = 2500;

// In tab order: the creation order is the order Tab moves through.
const ControlLayout kControls[] = {
    {IDC_COMMAND1, WC_BUTTONW, WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, kButtonSet, 0, 120, 2640, 2535, 375, 6},
    {IDC_FRAME1, WC_BUTTONW, BS_GROUPBOX, 0, kFrameWakeTime, 0, 120, 120, 2535, 975},
    {IDC_DTPICKER1, DATETIMEPICK_CLASSW, WS_TABSTOP | WS_GROUP | DTS_SHORTDATEFORMAT, 0, L"", IDC_FRAME1, 240, 240,
     1815, 255, 6},
    {IDC_COMBOHH, WC_COMBOBOXW, WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, L"",
     IDC_FRAME1, 240, 600, 615, 300, 0, kComboListTwips},
    {IDC_COMBOMM, WC_COMBOBOXW, WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, L"",
     IDC_FRAME1, 1200, 600, 615, 300, 0, kComboListTwips},
    {IDC_FRAME2, WC_BUTTONW, BS_GROUPBOX, 0, kFrameUser, 0, 120, 1200, 2535, 975},
    {IDC_LABEL1, WC_STATICW, SS_LEFT, 0, kLabelUserName, IDC_FRAME2, 120, 270, 975, 255},
    {IDC_LABEL2, WC_STATICW, SS_LEFT, 0, kLabelPassword, IDC_FRAME2, 150, 630, 975, 255},
    {IDC_TXTUSER, WC_EDITW, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, L"", IDC_FRAME2, 1080, 240,
     1335, 270, 6},
    {IDC_TXTPASSWORD, WC_EDITW, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_PASSWORD, WS_EX_CLIENTEDGE, L"",
     IDC_FRAME2, 1080, 600, 1335, 270, 6},
    {IDC_CHKSUSPEND, WC_BUTTONW, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, kCheckHibernateNow, 0, 240, 2280, 2175,
     255},
    {IDC_LABEL3, WC_STATICW, SS_LEFT, 0, kLabelHour, IDC_FRAME1, 900, 680, 255, 255},
    {IDC_LABEL4, WC_STATICW, SS_LEFT, 0, kLabelMinute, IDC_FRAME1, 1840, 680, 255, 255},
};

const FrameOrigin kFrames[] = {{IDC_FRAME1, 120, 120}, {IDC_FRAME2, 120, 1200}};

}  // namespace

HWND CreateForm1Frame(HINSTANCE instance, WNDPROC windowProc, void* param, const Twips& twips) {
  if (!RegisterFormClass(instance, kForm1Class, windowProc)) return nullptr;

  HMENU menu = CreateMenu();
  HMENU afterWake = CreatePopupMenu();
  AppendMenuW(afterWake, MF_STRING, IDM_AWAKE_NONE, kMenuAwakeNone);
  int key = 0;
  for (const int minutes : kAwakeMenuMinutes) {
    const std::wstring text = AwakeLengthText(minutes) + kMenuKeepAwake + L"(&" + Decimal(++key) + L")";
    AppendMenuW(afterWake, MF_STRING, IDM_AWAKE_FIRST_LENGTH + key - 1, text.c_str());
  }
  AppendMenuW(afterWake, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(afterWake, MF_STRING, IDM_REHIBERNATE, kMenuRehibernate);
  AppendMenuW(afterWake, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(afterWake, MF_STRING, IDM_VIEWLOG, kMenuViewLog);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(afterWake), kMenuAfterWake);
  AppendMenuW(menu, MF_STRING, IDM_HELP, kMenuHelp);
  RECT rect{0, 0, twips.ToPixels(kClientWidthTwips), twips.ToPixels(kClientHeightTwips)};
  AdjustWindowRectEx(&rect, kFormStyle, TRUE, kFormExStyle);
  return CreateWindowExW(kFormExStyle, kForm1Class, kAppTitle, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         rect.right - rect.left, rect.bottom - rect.top, nullptr, menu, instance, param);
}

HFONT CreateForm1Controls(HWND form, HINSTANCE instance, const Twips& twips) {
  HFONT font = CreateUiFont();
  HWND status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, form,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR1)), instance, nullptr);
  int parts[1] = {twips.ToPixels(kStatusPartTwips)};
  SendMessageW(status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
  CreateControls(form, instance, twips, {kControls, std::size(kControls), kFrames, std::size(kFrames)}, font);
  if (font) SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  for (int hour = 0; hour < 24; ++hour)
    SendDlgItemMessageW(form, IDC_COMBOHH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Padded(hour, 2).c_str()));
  for (int minute = 0; minute < 60; ++minute)
    SendDlgItemMessageW(form, IDC_COMBOMM, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Padded(minute, 2).c_str()));
  SetDlgItemTextW(form, IDC_COMBOHH, L"12");
  SetDlgItemTextW(form, IDC_COMBOMM, L"00");

  // Common controls 6 would show a bullet; the password shows as '*', and is
  // typed straight from the keyboard, never composed by the input method.
  SendDlgItemMessageW(form, IDC_TXTPASSWORD, EM_SETPASSWORDCHAR, L'*', 0);
  ImmAssociateContext(GetDlgItem(form, IDC_TXTPASSWORD), nullptr);

  SYSTEMTIME range[2] = {};
  range[0].wYear = 1601;
  range[0].wMonth = 1;
  range[0].wDay = 1;
  range[1].wYear = 9999;
  range[1].wMonth = 12;
  range[1].wDay = 31;
  SendDlgItemMessageW(form, IDC_DTPICKER1, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
  return font;
}
