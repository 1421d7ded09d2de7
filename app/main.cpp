#include "app/launch.h"

int main(int argc, char** argv) { return orventa::launch(argc, argv); }
