#pragma once
// The suites of the Qt tests by name: each test file registers its class, and
// the test program runs the suite named on its command line.

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace zaro::test {

using TSuiteFactory = std::function<std::unique_ptr<QObject>()>;

inline std::map<std::string, TSuiteFactory>& GuiSuites() {
    static std::map<std::string, TSuiteFactory> suites;
    return suites;
}

template <typename TSuite> struct TGuiSuite {
    explicit TGuiSuite(const char* name) {
        GuiSuites()[name] = [] { return std::make_unique<TSuite>(); };
    }
};

} // namespace zaro::test
