// Real input for the customization sheet's page tests: clicks on controls and list items, a page
// chosen by a click on its tab, keys pressed together and text typed character by character.
#pragma once
#include <afxwin.h>
#include <afxdlgs.h>

#include <initializer_list>
#include <string>
#include <vector>

// Dispatches this thread's messages for a while, then runs one idle cycle.
void PumpFor(DWORD dwMilliseconds);
CPoint ScreenPoint(HWND hWnd, CPoint ptClient);
void ClickAt(CPoint ptScreen);
void ClickControl(HWND hDialog, int nId);

std::vector<std::string> ListItems(HWND hList);
// -1 when no item reads so.
int FindListItem(HWND hList, const std::string& strText);
void ClickListItem(HWND hList, int iItem);
std::string SelectedListItem(HWND hList);

// The page with the caption, brought to the front by a click on its tab; its window.
HWND ShowSheetPage(CPropertySheet* pSheet, const char* pszCaption);

// Keys pressed in order and released in reverse.
void Chord(std::initializer_list<WORD> keys);
// Each character as the keyboard would type it into the focused window; SendText only sends the
// input (from any thread), TypeText also lets this thread's windows take it.
void SendText(const wchar_t* pszText);
void TypeText(const wchar_t* pszText);
