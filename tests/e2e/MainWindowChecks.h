// Checks of QENWiz's main window as a user meets it: its bars and pages, its skins, its menus and the
// customization sheet. Each reports what the user would miss through Fail.
#pragma once
#include "InstallerSession.h"

// The skin number kept as "ViewType" in section "QENWiz" of QENWiz.ini; -1 when none is kept.
int StoredViewType();
void StoreViewType(int nViewType);

// Menu bar, standard toolbar and caption bar above the form, the output bar below it, the status bar
// at the bottom.
void CheckBarsAroundForm(const CInstallerSession& session);
// The output bar's tabs show its three pages, in order, when clicked.
void CheckOutputPages(const CInstallerSession& session);
// Started with skin 3 stored: each of the nine View commands switches, stores its number and leaves a
// window that paints; the program ends on skin 3.
void CheckSkinSwitching(const CInstallerSession& session);
// Alt, Down drops the first menu down; Esc closes it.
void CheckKeyboardMenu(const CInstallerSession& session);
// A right click on the form's background opens a popup menu; Esc closes it.
void CheckFormContextMenu(const CInstallerSession& session);
// The customize command opens the sheet "自定义"; its "关闭" button closes it.
void CheckCustomizeSheet(const CInstallerSession& session);
// Hides the caption bar and the output bar with their View commands; the form takes their room.
void HideCaptionAndOutputBars(const CInstallerSession& session);
// After a restart the caption bar and the output bar are still hidden, the other bars shown.
void CheckBarsAsLeft(const CInstallerSession& session);
