// qvconsole: the control console for LED-wall video processors.
#include "ZulanApp.h"

int main(int argc, char** argv) {
  return qv::ZulanApp().Run(argc, argv);
}
