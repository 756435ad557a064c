#pragma once
// The accessible interfaces of the value controls, for Qt's accessibility
// (AT-SPI on Linux). Each control's constructor installs the factory, so
// that no program or test has to remember to.

namespace qv {

// Installs the factory once; later calls do nothing. UI thread only.
void InstallAccessibleFactory();

}  // namespace qv
