// Every test pattern, in the order of the main menu and its submenus: what orventa-render offers.
#pragma once

#include <string_view>
#include <vector>

#include "displaytests/pattern.h"

namespace orventa {

const std::vector<const Pattern*>& patternCatalogue();
// Null for an unknown name.
const Pattern* findPattern(std::string_view name);

}  // namespace orventa
