#include "kvui/KvUiHostDriver.h"

#include <iostream>

#include "kv/KvScript.h"
#include "kvui/KvUiScriptDriver.h"
#include "kvui/KvUiTerminalDriver.h"

KvUiHostDriver::KvUiHostDriver(KvScript* script) : m_previous(kvuiDriver())
{
    if (script)
        m_driver = std::make_unique<KvUiScriptDriver>(*script);
    else
        m_driver = std::make_unique<KvUiTerminalDriver>(std::cin, std::cout);
    kvuiSetDriver(m_driver.get());
}

KvUiHostDriver::~KvUiHostDriver()
{
    kvuiSetDriver(m_previous);
}
