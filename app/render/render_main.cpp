#include <iostream>
#include <string>
#include <vector>

#include "app/render/render_command.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return orventa::runRenderCommand(args, std::cout, std::cerr);
}
