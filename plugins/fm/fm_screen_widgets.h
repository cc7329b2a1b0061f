// The FM panel's widgets: which layout entry each comes from, its class, name and
// size, and how it is built.
#pragma once

#include "interfaces/host_framework.h"

namespace sonidra {

// Builds the seven widgets inside panel from layout; small picks the 800 x 600 sizes.
void BuildPanelWidgets(CUIFMPanel& panel, const CUI_XML_ADAPTOR& layout, bool small);

}  // namespace sonidra
