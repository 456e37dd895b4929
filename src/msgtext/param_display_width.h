// GetParamDisplayWidth: the number of display character cells that the value of
// each block parameter (by its index into g_ParameterNames) takes on the
// device display. Message-text elements showing a parameter are this wide.
#pragma once

constexpr int kParamDisplayWidthCount = 145;

// The width of a parameter index; 0 for an index outside 0..144.
int GetParamDisplayWidth(int paramIndex);
