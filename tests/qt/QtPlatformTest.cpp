#include "qt/QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace lm {
namespace {

struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString title, text;
    QWidget* parent = nullptr;
};

// Waits for the message box the code under test opens, notes what it shows
// and lets `user` end it (nullptr: close it with the title bar).
void whenBoxShows(SeenBox& seen, std::function<void(QMessageBox&)> user, int triesLeft = 200)
{
    QTimer::singleShot(5, [&seen, user, triesLeft] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                seen = {box->icon(), box->standardButtons(), box->windowTitle(), box->text(), box->parentWidget()};
                user ? user(*box) : void(box->close());
                return;
            }
        }
        if (triesLeft > 0)
            whenBoxShows(seen, user, triesLeft - 1);
    });
}

auto click(QMessageBox::StandardButton button)
{
    return [button](QMessageBox& box) { box.button(button)->click(); };
}

TEST(QtPlatform, QuestionsAskYesOrNoOverTheEditorWindowRefusalsWarn)
{
    QWidget editor;
    editor.show();
    QtPlatform platform;
    platform.setEditorWindow(&editor);
    SeenBox seen;
    const auto ask = [&] { return platform.messageBox("Proceed?\nReally?", MessageButtons::YesNo, MessageIcon::Question); };

    whenBoxShows(seen, click(QMessageBox::Yes));
    EXPECT_EQ(ask(), MessageAnswer::Yes);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.title, "Laminar");
    EXPECT_EQ(seen.text, "Proceed?\nReally?");
    EXPECT_EQ(seen.parent, &editor);

    whenBoxShows(seen, click(QMessageBox::No));
    EXPECT_EQ(ask(), MessageAnswer::No);
    whenBoxShows(seen, nullptr); // closing the box is no consent
    EXPECT_EQ(ask(), MessageAnswer::No);

    // Refusals show a warning with only OK, and closing it counts as OK.
    whenBoxShows(seen, click(QMessageBox::Ok));
    EXPECT_EQ(platform.messageBox("Refused.", MessageButtons::Ok, MessageIcon::Exclamation), MessageAnswer::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    whenBoxShows(seen, nullptr);
    EXPECT_EQ(platform.messageBox("Refused.", MessageButtons::Ok, MessageIcon::Exclamation), MessageAnswer::Ok);
}

} // namespace
} // namespace lm
