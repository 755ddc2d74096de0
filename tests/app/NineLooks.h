// The nine looks of the program (the library's classic, flat and XP managers and the six skins),
// each made fresh as the main frame makes it (the skins with the flat look on), and the drawing
// operations of the looks as a plain bar, button and menu of the program call them.
#pragma once
#include "QENVisualManagerXP.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct Look
{
    std::string strName;
    std::function<CQENVisualManager*()> pfnMake;
    std::function<void(CQENVisualManager*, CDC*, const QENCaptionButtonLook&, BOOL, BOOL, BOOL)> pfnCaptionButton;
    // For a skin: the look it derives from, and the operations in which it draws otherwise than
    // that look for a plain bar, button and menu.
    std::string strParent;
    std::set<std::string> overrides;
};

const std::vector<Look>& NineLooks();
const Look& LookNamed(const std::string& strName);

// Draws one operation of a look into rect.
struct LookOperation
{
    std::string strName;
    std::function<void(const Look&, CQENVisualManager*, CDC*, CRect)> pfnDraw;
};

const std::vector<LookOperation>& EveryOperation();
