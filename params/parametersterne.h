#pragma once
// The "*" markers beside the parameter controls show which parameters the selected set's
// current curve uses; the STK9 group is shown only for curve 9.

void ParametersterneSetzen();
