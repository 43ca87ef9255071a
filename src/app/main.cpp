#include "app/application.h"

int main(int argc, char* argv[]) { return lumivo::app::RunLumivo(argc, argv); }
