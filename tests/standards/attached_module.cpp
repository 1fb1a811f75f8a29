// The module is attached for the whole test program, as the host attaches it, so that its dialog
// templates (the standards host dialog, the "Formulas" window) are found.
#include <gtest/gtest.h>

#include "host/module_entry.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

class AttachedModule : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(DllMain(&instance_, host::kProcessAttach, nullptr), 1); }
    void TearDown() override { DllMain(&instance_, host::kProcessDetach, nullptr); }

private:
    int instance_ = 0;
};

[[maybe_unused]] ::testing::Environment* const kAttached = ::testing::AddGlobalTestEnvironment(new AttachedModule);

} // namespace
