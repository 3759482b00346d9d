#pragma once
// The driver a host program installs for its whole run: the script's when a script
// answers for the user, the terminal's (standard input and output) otherwise.
#include <memory>

#include "kvui/KvUiDriver.h"

class KvScript;

class KvUiHostDriver {
public:
    explicit KvUiHostDriver(KvScript* script);
    ~KvUiHostDriver();
    KvUiHostDriver(const KvUiHostDriver&) = delete;
    KvUiHostDriver& operator=(const KvUiHostDriver&) = delete;

    KvUiDriver& driver() { return *m_driver; }

private:
    std::unique_ptr<KvUiDriver> m_driver;
    KvUiDriver* m_previous;
};
