// The FM panel's widgets: which layout entry each comes from, its class, name and
// size, and how it is built.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

#include "interfaces/host_framework.h"

namespace sonidra {

// The size of the layout's inclusive span first..last (last - first + 1), held within
// int: a hand-edited skin may give any coordinates.
inline int LayoutSpan(int first, int last) {
    const int64_t span = int64_t(last) - first + 1;
    return int(std::clamp<int64_t>(span, INT_MIN, INT_MAX));
}

// Builds the seven widgets inside panel from layout; small picks the 800 x 600 sizes.
void BuildPanelWidgets(CUIFMPanel& panel, const CUI_XML_ADAPTOR& layout, bool small);

}  // namespace sonidra
