#pragma once
// How long the random runs are: sized for every test run by default, and five times
// as long with ENSHUKAKU_SOAK=1 in the environment, the soak before a release.
#include <QtGlobal>

namespace soak {

inline bool on() {
    return qEnvironmentVariableIntValue("ENSHUKAKU_SOAK") > 0;
}

// everyRun by default, soakRun under ENSHUKAKU_SOAK=1.
inline int count(int everyRun, int soakRun) {
    return on() ? soakRun : everyRun;
}

} // namespace soak
