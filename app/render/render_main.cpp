#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "app/render/render_command.h"

int main(int argc, char** argv) {
  // Past a file-size limit a write then fails and the partial file is removed, rather than the
  // process being killed with the file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return orventa::runRenderCommand(args, std::cout, std::cerr);
}
