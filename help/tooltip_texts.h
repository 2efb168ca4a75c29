// The Japanese help texts (code page 932) that the main dialog's tooltips show.
#pragma once

#include <string>

// The help text for a control of the main dialog; empty for a control without one.
std::string BuildTooltipText(unsigned int controlId);
