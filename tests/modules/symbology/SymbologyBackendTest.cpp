// The shared range table on both back-ends that use the symbology
// configuration, each over its stand-in library in the test process.
#include <gtest/gtest.h>

#include "modules/dravet/BhtBackend.h"
#include "modules/quorlin/SymbolBackend.h"
#include "support/BackendTestKit.h"
#include "RangeCases.h"

namespace {

class KitEnvironment : public ::testing::Environment
{
public:
    void TearDown() override { BackendTestKit::End(); }
};

::testing::Environment* const gpKitEnvironment =
    ::testing::AddGlobalTestEnvironment(new KitEnvironment());

template <class TBackend>
class SymbologyBackendTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SimSession* pSession = BackendTestKit::Get();
        ASSERT_NE(nullptr, pSession);
        ASSERT_EQ(TRUE, pSession->SetConditions(""));
    }
};

typedef ::testing::Types<SymbolBackend, BhtBackend> Backends;
TYPED_TEST_SUITE(SymbologyBackendTest, Backends);

TYPED_TEST(SymbologyBackendTest, RangesAreCheckedAsTheTableSays)
{
    ExpectRangeCases<TypeParam>();
}

TYPED_TEST(SymbologyBackendTest, EveryOperationIsRefusedOnceStarted)
{
    TypeParam backend;
    ASSERT_EQ(TRUE, backend.enableEAN13());
    ASSERT_EQ(TRUE, backend.enableCode39(2, 30, 0));
    ASSERT_EQ(TRUE, backend.startScanning());
    ExpectRefusedOnceStarted(backend);
    EXPECT_EQ(TRUE, backend.stopScanning());
    EXPECT_EQ(TRUE, backend.enableCodabar(3, 20, 0));
}

}
