#include "display/Controls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeCanvas.h"

namespace vesk {
namespace {

using test::FakeHost;
using testing::ElementsAre;

class Box : public TControl {
public:
    explicit Box(std::string name = "box") : name(std::move(name)) {}
    void Paint(TCanvas&) override {}
    bool IsOpaque() const override { return opaque; }

    std::string name;
    bool opaque = false;
};

// Records the mouse events of controls as "name down/move/up x,y".
struct MouseLog {
    std::vector<std::string> lines;

    void Watch(Box& box) {
        const auto button = [this](const char* what) {
            return [this, what](TControl& sender, TMouseButton b, int x, int y) {
                lines.push_back(static_cast<Box&>(sender).name + " " + what +
                                (b == TMouseButton::mbLeft ? "L " : "R ") + std::to_string(x) +
                                "," + std::to_string(y));
            };
        };
        box.OnMouseDown = button("down");
        box.OnMouseUp = button("up");
        box.OnMouseMove = [this](TControl& sender, int x, int y) {
            lines.push_back(static_cast<Box&>(sender).name + " move " + std::to_string(x) + "," +
                            std::to_string(y));
        };
    }
};

TEST(AnchoredBounds, FollowsTheEdges) {
    const TRect bounds{10, 20, 110, 70};
    struct Row {
        TAnchors anchors;
        int width;
        int height;
        TRect result;
    };
    const Row rows[] = {
        {kAnchorsDefault, 400, 260, {10, 20, 110, 70}},
        {kAnchorsAll, 400, 260, {10, 20, 210, 130}},
        {akRight | akTop, 400, 260, {110, 20, 210, 70}},
        {akLeft | akBottom, 400, 260, {10, 80, 110, 130}},
        {akTop | akBottom, 400, 260, {30, 20, 130, 130}},  // centre 60 of 300 is 80 of 400
        {0, 400, 260, {30, 34, 130, 84}},                  // centre 45 of 200 is 58.5 of 260
        {kAnchorsAll, 50, 40, {10, 20, 10, 20}},           // never a negative size
    };
    for (const Row& row : rows) {
        EXPECT_EQ(AnchoredBounds(bounds, row.anchors, 300, 200, row.width, row.height), row.result)
            << "anchors " << int{row.anchors} << " to " << row.width << "x" << row.height;
    }
}

TEST(TControlHost, AnchorsTakeTheirDistancesWhenSet) {
    // What the lyrics window does to fit itself to its text.
    FakeHost host(280, 159);
    Box label;
    label.SetBounds(10, 10, 260, 139);
    host.Add(label);
    label.SetAnchors(kAnchorsAll);
    host.Resize(300, 200);
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 290, 190}));

    label.SetAnchors(akLeft | akTop);
    label.SetBounds(10, 10, 100, 30);  // the label sizes itself to its text
    host.Resize(120, 50);
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 110, 40}));
    label.SetAnchors(kAnchorsAll);
    host.Resize(140, 60);
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 130, 50}));

    // Bounds set while anchored become the new distances.
    label.SetBounds(10, 10, 50, 20);
    host.Resize(150, 70);
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 70, 40}));
}

TEST(TControlHost, AnchorsOfAHostWithoutSizeYet) {
    FakeHost host(0, 0);
    Box box;
    box.SetBounds(5, 5, 10, 10);
    box.SetAnchors(kAnchorsAll);
    host.Add(box);
    host.Resize(100, 100);
    EXPECT_EQ(box.BoundsRect(), (TRect{5, 5, 15, 15}));
    host.Resize(150, 120);
    EXPECT_EQ(box.BoundsRect(), (TRect{5, 5, 65, 35}));
}

TEST(TControlHost, RoutesTheMouseToTheTopmostControl) {
    FakeHost host;
    Box a("a");
    Box b("b");
    a.SetBounds(0, 0, 100, 100);
    b.SetBounds(50, 50, 100, 100);
    host.Add(a);
    host.Add(b);  // on top
    MouseLog log;
    log.Watch(a);
    log.Watch(b);

    EXPECT_TRUE(host.MouseDown(TMouseButton::mbLeft, 60, 60));
    EXPECT_TRUE(host.MouseMove(500, -5));  // captured: outside, still b's
    EXPECT_TRUE(host.MouseUp(TMouseButton::mbLeft, 500, -5));
    EXPECT_TRUE(host.MouseMove(20, 20));  // released: a's
    EXPECT_FALSE(host.MouseDown(TMouseButton::mbRight, 300, 300));
    EXPECT_THAT(log.lines,
                ElementsAre("b downL 10,10", "b move 450,-55", "b upL 450,-55", "a move 20,20"));
    EXPECT_THAT(host.captures, ElementsAre(true, false));

    // Disabled and invisible controls are passed over.
    log.lines.clear();
    b.SetEnabled(false);
    EXPECT_TRUE(host.MouseDown(TMouseButton::mbRight, 60, 60));
    EXPECT_TRUE(host.MouseUp(TMouseButton::mbRight, 60, 60));
    b.SetEnabled(true);
    b.SetVisible(false);
    EXPECT_TRUE(host.MouseMove(61, 61));
    a.SetEnabled(false);
    EXPECT_FALSE(host.MouseMove(61, 61));
    EXPECT_THAT(log.lines, ElementsAre("a downR 60,60", "a upR 60,60", "a move 61,61"));
}

TEST(TControlHost, ACapturedControlThatGoesAway) {
    FakeHost host;
    auto box = std::make_unique<Box>();
    box->SetBounds(0, 0, 50, 50);
    host.Add(*box);
    box->OnMouseDown = [&](TControl&, TMouseButton, int, int) { box.reset(); };
    EXPECT_TRUE(host.MouseDown(TMouseButton::mbLeft, 10, 10));
    EXPECT_EQ(box, nullptr);
    EXPECT_TRUE(host.Controls().empty());
    EXPECT_THAT(host.captures, ElementsAre(true, false));
    EXPECT_FALSE(host.MouseMove(10, 10));
    EXPECT_FALSE(host.MouseUp(TMouseButton::mbLeft, 10, 10));
}

TEST(TControlHost, RepaintRequests) {
    FakeHost host;
    Box box;
    box.SetBounds(10, 10, 20, 20);
    host.Add(box);
    host.invalidations.clear();

    box.Invalidate();
    box.opaque = true;
    box.Invalidate();
    box.SetBounds(40, 10, 20, 20);
    box.SetBounds(40, 10, 20, 20);  // unchanged: nothing
    box.SetVisible(false);
    box.Invalidate();  // invisible: nothing
    box.SetLeft(0);
    box.SetVisible(true);
    std::vector<std::string> lines;
    for (const auto& i : host.invalidations) {
        lines.push_back(test::RectText(i.rect) + (i.erase ? " erase" : ""));
    }
    EXPECT_THAT(lines, ElementsAre("10,10,30,30 erase", "10,10,30,30", "10,10,30,30 erase",
                                   "40,10,60,30", "40,10,60,30 erase", "0,10,20,30"));
}

TEST(TControlHost, PaintsVisibleControlsThatMeetTheArea) {
    FakeHost host;
    Box a("a"), b("b"), c("c");
    a.SetBounds(0, 0, 10, 10);
    b.SetBounds(5, 5, 10, 10);
    c.SetBounds(20, 0, 10, 10);
    host.Add(b);
    host.Add(c);
    host.Add(a);
    std::vector<std::string> painted;
    const auto paint = [&](TControl& control) {
        painted.push_back(static_cast<Box&>(control).name);
    };
    host.PaintControls({0, 0, 100, 100}, paint);
    EXPECT_THAT(painted, ElementsAre("b", "c", "a"));
    painted.clear();
    c.SetVisible(false);
    host.PaintControls({8, 8, 30, 9}, paint);  // touches b and a; c is hidden
    EXPECT_THAT(painted, ElementsAre("b", "a"));
    painted.clear();
    host.PaintControls({10, 0, 20, 5}, paint);  // between a and c, above b
    EXPECT_THAT(painted, ElementsAre());
}

TEST(TControlHost, HostsAndControlsLetGoOfEachOther) {
    Box box;
    auto first = std::make_unique<FakeHost>();
    FakeHost second;
    first->Add(box);
    second.Add(box);
    EXPECT_EQ(box.Host(), &second);
    EXPECT_TRUE(first->Controls().empty());
    first->Add(box);
    first.reset();
    EXPECT_EQ(box.Host(), nullptr);
    box.Invalidate();  // must not reach the host that is gone
    {
        Box shortLived;
        second.Add(shortLived);
    }
    EXPECT_TRUE(second.Controls().empty());
}

}  // namespace
}  // namespace vesk
