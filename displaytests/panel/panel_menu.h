// The "Miscellaneous" menu. Its tests share the pattern colour P, patternWhite of the test depth.
#pragma once
