#include "Component.h"

#include <gtest/gtest.h>

namespace {

// Counts its destructions in a counter the test owns.
class TCountedComponent : public TComponent {
public:
    TCountedComponent(TComponent* AOwner, int& ADestroyed) : TComponent(AOwner), FDestroyed(ADestroyed) {}
    ~TCountedComponent() override { ++FDestroyed; }

private:
    int& FDestroyed;
};

}  // namespace

TEST(Component, OwnerFreesEverythingItOwnsOnce) {
    int Destroyed = 0;
    auto* Owner = new TCountedComponent(nullptr, Destroyed);
    auto* Child = new TCountedComponent(Owner, Destroyed);
    new TCountedComponent(Owner, Destroyed);
    new TCountedComponent(Child, Destroyed);  // a grandchild goes with its owner
    EXPECT_EQ(Owner->ComponentCount(), 2);
    EXPECT_EQ(Child->ComponentCount(), 1);
    EXPECT_EQ(Child->Owner(), Owner);
    delete Owner;
    EXPECT_EQ(Destroyed, 4);
}

TEST(Component, ComponentDeletedFirstUnlinksItselfFromItsOwner) {
    int Destroyed = 0;
    {
        TCountedComponent Owner(nullptr, Destroyed);
        auto* First = new TCountedComponent(&Owner, Destroyed);
        new TCountedComponent(&Owner, Destroyed);
        delete First;
        EXPECT_EQ(Owner.ComponentCount(), 1);
        EXPECT_EQ(Destroyed, 1);
    }
    EXPECT_EQ(Destroyed, 3);
}
