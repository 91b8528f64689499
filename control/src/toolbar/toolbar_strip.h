// The image strip shared between toolbars of the same buttons and pictures.
#pragma once

class JToolBar;

namespace toolbar_strip {

// The strip a toolbar built and shares goes with it.
void ForgetSharedStrip(const JToolBar* pBuilder);

}   // namespace toolbar_strip
