// The FM panel's widgets: which layout entry each comes from, its class, name and
// size, and how it is built.
#pragma once

#include "interfaces/host_framework.h"

namespace sonidra {

// The size of the layout's inclusive span first..last (last - first + 1), held within
// int: a hand-edited skin may give any coordinates.
int LayoutSpan(int first, int last);

// Builds the seven widgets inside panel from layout; small picks the 800 x 600 sizes.
void BuildPanelWidgets(CUIFMPanel& panel, const CUI_XML_ADAPTOR& layout, bool small);

}  // namespace sonidra
