// The window models through Qt's accessibility, as a screen reader reaches them: roles, names,
// states, values, text, painted children and their actions, the changes told (values at most
// once a second), and Tab over forms docked in one window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Slider.h"
#include "platform/TabOrder.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/qt/QtAccessible.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPlatform.h"

namespace quindel::test {
namespace {

using namespace quindel::platform;
using qt::QtPlatform;

// Three painted buttons; the second stays down when pressed, the third is disabled.
struct ThreeButtons : AccessibleChildren {
    std::vector<int> pressed;
    int focused = -1;
    int Count() const override { return 3; }
    AccessibleDescription Child(int i) const override {
        AccessibleDescription d;
        d.role = i == 1 ? Role::ToggleButton : Role::PushButton;
        d.name = "przycisk " + std::to_string(i);
        d.shortcut = i == 0 ? "Alt+→" : "";
        d.state.checkable = i == 1;
        d.state.checked = i == 1;
        d.state.disabled = i == 2;
        d.state.focused = i == focused;
        d.bounds = {i * 24, 0, i * 24 + 24, 24};
        return d;
    }
    int FocusedChild() const override { return focused; }
    bool Press(int i) override {
        pressed.push_back(i);
        return true;
    }
};

struct Accessibility : ::testing::Test {
    QtPlatform p;
    std::shared_ptr<Form> form = p.NewForm();

    Accessibility() {
        form->Move(1500, 1500, 6000, 4500);
        form->setCaption("Hasło");
        form->Show();
    }
    QAccessibleInterface& Of(Window& w) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(p.Widget(w));
        EXPECT_NE(iface, nullptr);
        return *iface;
    }
};

TEST_F(Accessibility, WindowsTellTheirRoleNameStateValueAndText) {
    auto slider = p.NewSlider(*form);
    slider->setMax(100);
    slider->setValue(30);
    slider->setSmallChange(5);
    auto label = p.NewLabel(*form);
    label->setCaption(" Wisła pod Krakowem ");
    auto button = p.NewCommandButton(*form);
    button->setCaption("Drukuj");
    button->setEnabled(false);
    auto list = p.NewListBox(*form);
    list->Move(0, 0, 1500, 1500);
    for (const char* row : {"Kraków", "Wisła", "Tatry"}) list->AddItem(row);
    list->setListIndex(1);
    struct Case {
        Window* w;
        QAccessible::Role role;
        QString name;
        bool disabled;
    } cases[] = {
        {form.get(), QAccessible::Window, "Hasło", false},
        {slider.get(), QAccessible::Slider, "", false},
        {label.get(), QAccessible::StaticText, "Wisła pod Krakowem", false},
        {button.get(), QAccessible::Button, "Drukuj", true},
        {list.get(), QAccessible::List, "", false},
    };
    for (const Case& c : cases) {
        QAccessibleInterface& a = Of(*c.w);
        EXPECT_EQ(a.role(), c.role) << c.name.toStdString();
        EXPECT_EQ(a.text(QAccessible::Name), c.name);
        EXPECT_EQ(bool(a.state().disabled), c.disabled) << c.name.toStdString();
    }
    QAccessibleValueInterface* value = Of(*slider).valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 30);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
    EXPECT_EQ(value->minimumStepSize().toInt(), 5);
    EXPECT_EQ(Of(*button).valueInterface(), nullptr);
    QAccessibleTextInterface* text = Of(*label).textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, -1), "Wisła pod Krakowem");
    EXPECT_EQ(text->characterCount(), 18);

    QAccessibleInterface& rows = Of(*list);
    ASSERT_EQ(rows.childCount(), 3);
    EXPECT_EQ(rows.child(1)->role(), QAccessible::ListItem);
    EXPECT_EQ(rows.child(1)->text(QAccessible::Name), "Wisła");
    EXPECT_TRUE(rows.child(1)->state().selected);
    EXPECT_FALSE(rows.child(0)->state().selected);
    EXPECT_EQ(rows.indexOfChild(rows.child(2)), 2);
    EXPECT_EQ(rows.child(2)->parent(), &rows);
}

TEST_F(Accessibility, PaintedChildrenAreChildrenAndTheirActionPressesThem) {
    auto strip = p.NewPictureBox(*form);
    strip->Move(0, 0, 3000, 600);
    strip->setAccessibleRole(Role::ToolBar);
    auto buttons = std::make_shared<ThreeButtons>();
    strip->setAccessibleChildren(buttons);
    p.NewSlider(*strip);  // a child window after the painted children
    QAccessibleInterface& bar = Of(*strip);
    EXPECT_EQ(bar.role(), QAccessible::ToolBar);
    ASSERT_EQ(bar.childCount(), 4);
    EXPECT_EQ(bar.child(3)->role(), QAccessible::Slider);
    EXPECT_EQ(bar.indexOfChild(bar.child(3)), 3);
    QAccessibleInterface* first = bar.child(0);
    EXPECT_EQ(first, bar.child(0)) << "the same interface every time";
    EXPECT_EQ(first->text(QAccessible::Name), "przycisk 0");
    EXPECT_EQ(first->text(QAccessible::Accelerator), "Alt+→");
    EXPECT_EQ(first->role(), QAccessible::Button);
    EXPECT_EQ(first->rect().size(), QSize(24, 24));
    EXPECT_EQ(bar.child(1)->rect().left() - first->rect().left(), 24);
    EXPECT_TRUE(bar.child(1)->state().checkable);
    EXPECT_TRUE(bar.child(1)->state().checked);
    EXPECT_TRUE(bar.child(2)->state().disabled);

    QAccessibleActionInterface* act = first->actionInterface();
    ASSERT_NE(act, nullptr);
    EXPECT_EQ(act->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    EXPECT_EQ(act->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{"Alt+→"});
    act->doAction(QAccessibleActionInterface::pressAction());
    bar.child(1)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(bar.child(2)->actionInterface()->actionNames().isEmpty());
    EXPECT_EQ(buttons->pressed, (std::vector<int>{0, 1}));

    buttons->focused = 1;
    strip->SetFocus();
    EXPECT_EQ(bar.focusChild(), bar.child(1));
    buttons.reset();
    EXPECT_EQ(bar.childCount(), 1);
    EXPECT_FALSE(first->isValid());
}

// Both backends' message boxes say the same: an alert named by its title, its text to read, its
// buttons as push buttons named as they stand.
TEST_F(Accessibility, AMessageBoxTellsItsTextAndButtonsAsTheHeadlessOneRecordsThem) {
    const std::string text = "Nie można otworzyć pliku.", title = "Quindel";
    const std::int32_t style = mb::RetryCancel | mb::Critical;
    headless::HeadlessMessageBox recorded;
    recorded.Show(text, style, title);
    const AccessibleNode expected = recorded.Shown().back().Accessible();
    QString name, read;
    QStringList buttons;
    QAccessible::Role role = QAccessible::NoRole;
    qt::QtMessageBox::SetTestHook([&](QMessageBox& box) -> std::int16_t {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&box);
        role = a->role();
        name = a->text(QAccessible::Name);
        read = a->text(QAccessible::Value) + a->text(QAccessible::Description);
        // The buttons stand in a row of their own, somewhere below the box.
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* at) {
            for (int i = 0; i < at->childCount(); ++i) {
                if (at->child(i)->role() == QAccessible::Button)
                    buttons << at->child(i)->text(QAccessible::Name).remove('&');
                walk(at->child(i));
            }
        };
        walk(a);
        return 0;
    });
    p.Box().Show(text, style, title);
    qt::QtMessageBox::SetTestHook(nullptr);
    EXPECT_EQ(role, qt::RoleFor(expected.what.role));
    EXPECT_EQ(name.toStdString(), expected.what.name);
    EXPECT_TRUE(read.contains(QString::fromStdString(expected.what.text))) << read.toStdString();
    ASSERT_EQ(buttons.size(), qsizetype(expected.children.size()));
    for (std::size_t i = 0; i < expected.children.size(); ++i) {
        EXPECT_EQ(expected.children[i].what.role, Role::PushButton);
        EXPECT_TRUE(buttons.contains(QString::fromStdString(expected.children[i].what.name)))
            << expected.children[i].what.name;
    }
}

// Every accessibility event told while a test runs: its type, child and value.
std::vector<std::string>* gTold = nullptr;

void Record(QAccessibleEvent* e) {
    if (!gTold) return;
    std::string line = std::to_string(int(e->type())) + "/" + std::to_string(e->child());
    if (e->type() == QAccessible::ValueChanged)
        line +=
            "=" + static_cast<QAccessibleValueChangeEvent*>(e)->value().toString().toStdString();
    gTold->push_back(line);
}

struct Told : Accessibility {
    std::vector<std::string> told;
    Told() {
        gTold = &told;
        qt::AnnounceTo(Record);
    }
    ~Told() override {
        qt::AnnounceTo(nullptr);
        gTold = nullptr;
    }
    static std::string E(QAccessible::Event type, int child = -1) {
        return std::to_string(int(type)) + "/" + std::to_string(child);
    }
    static std::string V(int value) {
        return E(QAccessible::ValueChanged) + "=" + std::to_string(value);
    }
};

TEST_F(Told, ValuesAreToldAtMostOnceASecondAndTheLastOneAlways) {
    auto slider = p.NewSlider(*form);
    slider->setMax(100);  // a change of range, told at once
    EXPECT_EQ(told.size(), 1u);
    QTest::qWait(qt::kValueAnnouncementMs + 200);
    told.clear();
    for (int v : {1, 2, 3, 4}) slider->setValue(v);
    EXPECT_EQ(told, std::vector<std::string>{V(1)});
    QTest::qWait(qt::kValueAnnouncementMs + 200);
    EXPECT_EQ(told, (std::vector<std::string>{V(1), V(4)}));
    slider->setValue(5);
    EXPECT_EQ(told.size(), 2u) << "within a second of the last one told";
    QTest::qWait(qt::kValueAnnouncementMs + 200);
    EXPECT_EQ(told, (std::vector<std::string>{V(1), V(4), V(5)}));
}

TEST_F(Told, NamesStatesAndTheFocusOfPaintedChildrenAreTold) {
    auto strip = p.NewPictureBox(*form);
    strip->setTabStop(true);
    auto buttons = std::make_shared<ThreeButtons>();
    strip->setAccessibleChildren(buttons);
    p.Sync();
    told.clear();
    strip->setAccessibleName("Pasek");
    strip->setEnabled(false);
    strip->setEnabled(true);
    EXPECT_EQ(told,
              (std::vector<std::string>{E(QAccessible::NameChanged), E(QAccessible::StateChanged),
                                        E(QAccessible::StateChanged)}));
    told.clear();
    buttons->focused = 2;
    strip->SetFocus();
    EXPECT_NE(std::find(told.begin(), told.end(), E(QAccessible::Focus, 2)), told.end());
    EXPECT_EQ(std::find(told.begin(), told.end(), E(QAccessible::Focus)), told.end())
        << "the child has the keyboard, not the strip as a whole";
    told.clear();
    buttons->focused = 0;
    strip->Refresh();
    EXPECT_NE(std::find(told.begin(), told.end(), E(QAccessible::Focus, 0)), told.end());
    EXPECT_NE(std::find(told.begin(), told.end(), E(QAccessible::StateChanged, 2)), told.end());
}

TEST(QtTabOrder, TabWalksTheFormsDockedInOneWindow) {
    QtPlatform p;
    auto host = p.NewForm();
    host->Move(1500, 1500, 9000, 6000);
    auto below = p.NewForm(), above = p.NewForm();
    for (auto* f : {below.get(), above.get()}) f->setBorderStyle(border::None);
    below->Move(1560, 3900, 3000, 1500);
    above->Move(1560, 1860, 3000, 1500);
    auto list = p.NewListBox(*above);
    auto slider = p.NewSlider(*below);
    host->Show();
    p.Dock(*below, *host);
    p.Dock(*above, *host);
    above->Show();
    below->Show();
    EXPECT_EQ(NextTabStop(*list, false), slider.get());
    EXPECT_EQ(NextTabStop(*slider, false), list.get());
    EXPECT_EQ(NextTabStop(*host, false), list.get()) << "from the window, the top form first";
}

}  // namespace
}  // namespace quindel::test
