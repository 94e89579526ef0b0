#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/collections.h"

namespace {
struct Probe : TComponent {
    Probe(TComponent* owner, int* destroyed) : TComponent(owner), destroyed(destroyed) {}
    ~Probe() override { ++*destroyed; }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove) removed = c;
    }
    int* destroyed;
    TComponent* removed = nullptr;
};

struct Item : TCollectionItem {
    using TCollectionItem::TCollectionItem;
    int value = 0;
    void Assign(const TPersistent* s) override { value = dynamic_cast<const Item*>(s)->value; }
};
} // namespace

TEST(Components, OwnerFreesWhatItOwns) {
    int destroyed = 0;
    {
        auto owner = std::make_unique<Probe>(nullptr, &destroyed);
        auto* a = new Probe(owner.get(), &destroyed);
        new Probe(a, &destroyed);
        a->SetName("A");
        EXPECT_EQ(owner->FindComponent("a"), a);
        EXPECT_EQ(owner->ComponentCount(), 1);
        EXPECT_THROW((new Probe(owner.get(), &destroyed))->SetName("A"), EComponentError);
    }
    EXPECT_EQ(destroyed, 4);
}

TEST(Components, FreeNotificationReachesWatchers) {
    int destroyed = 0;
    Probe watcher(nullptr, &destroyed);
    auto watched = std::make_unique<Probe>(nullptr, &destroyed);
    watched->FreeNotification(&watcher);
    TComponent* raw = watched.get();
    watched.reset();
    EXPECT_EQ(watcher.removed, raw);
}

TEST(Components, EachSideOfAMutualWatchHearsTheOther) {
    int destroyed = 0;
    // Both watch each other; one lets go first, as a recorder does in its destructor.
    for (const bool firstLetsGo : {true, false}) {
        auto a = std::make_unique<Probe>(nullptr, &destroyed);
        auto b = std::make_unique<Probe>(nullptr, &destroyed);
        a->FreeNotification(b.get());
        b->FreeNotification(a.get());
        Probe* gone = firstLetsGo ? a.get() : b.get();
        Probe* survivor = firstLetsGo ? b.get() : a.get();
        survivor->RemoveFreeNotification(gone); // the survivor no longer asks...
        (firstLetsGo ? a : b).reset();
        EXPECT_EQ(survivor->removed, gone); // ...but the other side still tells it
    }
    // With both registrations withdrawn nobody is told.
    Probe c(nullptr, &destroyed);
    auto d = std::make_unique<Probe>(nullptr, &destroyed);
    c.FreeNotification(d.get());
    d->FreeNotification(&c);
    c.RemoveFreeNotification(d.get());
    d->RemoveFreeNotification(&c);
    d.reset();
    EXPECT_EQ(c.removed, nullptr);
}

TEST(Collections, OwnsAndOrdersItems) {
    TCollection coll([](TCollection* c) { return std::make_unique<Item>(c); });
    auto* a = static_cast<Item*>(coll.Add());
    auto* b = static_cast<Item*>(coll.Add());
    a->value = 1;
    b->value = 2;
    EXPECT_EQ(b->Index(), 1);
    b->SetIndex(0);
    EXPECT_EQ(coll.Items(0), b);
    EXPECT_EQ(coll.FindItemID(a->ID()), a);
    TCollection copy([](TCollection* c) { return std::make_unique<Item>(c); });
    copy.Assign(&coll);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<Item*>(copy.Items(0))->value, 2);
    coll.Delete(0);
    EXPECT_EQ(coll.Count(), 1);
    EXPECT_THROW(coll.Items(3), EListError);
}

#include "platform/rtl/dialogs.h"

TEST(Dialogs, ScriptedAnswersThenCautiousDefault) {
    TScriptedDialogsScope s;
    s->QueueAnswer(mrYes);
    s->QueueInput("geheim");
    EXPECT_EQ(MessageDlg("Bewaren?", mtConfirmation, mbYesNo), mrYes);
    std::string value;
    EXPECT_TRUE(InputQuery("Wachtwoord", "Geef wachtwoord", value));
    EXPECT_EQ(value, "geheim");
    EXPECT_EQ(MessageDlg("Nog eens?", mtConfirmation, mbYesNoCancel), mrCancel);
    EXPECT_EQ(MessageDlg("Fout", mtError, mbAbortRetryIgnore), mrAbort);
    ASSERT_EQ(s->Asked().size(), 4u);
    EXPECT_EQ(s->Asked()[0].Text, "Bewaren?");
    EXPECT_EQ(s->Asked()[2].Answer, mrCancel);
}

#include "platform/rtl/types.h"

TEST(Types, RectanglesExcludeTheirFarEdges) {
    const TRect r = Bounds(10, 20, 5, 5);
    EXPECT_TRUE(PtInRect(r, Point(10, 20)));
    EXPECT_FALSE(PtInRect(r, Point(15, 22)));
    TRect i;
    EXPECT_FALSE(IntersectRect(i, r, Rect(15, 20, 30, 30)));
    EXPECT_TRUE(IsRectEmpty(i));
    EXPECT_TRUE(IntersectRect(i, r, Rect(12, 0, 30, 22)));
    EXPECT_EQ(i, Rect(12, 20, 15, 22));
}
