#pragma once

#include "skin/Prompter.h"

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace kestrel::test {

struct ShownMessage {
    QString text;
    QString caption;
    bool operator==(const ShownMessage&) const = default;
};

// Answers the program's modal prompts from a script: messages are recorded,
// colours and dialog results are taken from queues (a cancelled chooser and
// a rejected dialog when the queue is empty). A scripted dialog answer may
// fill in the dialog before it returns its result.
class ScriptedPrompter final : public Prompter {
public:
    using DialogAnswer = std::function<int(QDialog&)>;

    void showMessage(QWidget*, const QString& text, const QString& caption) override
    {
        messages.push_back({text, caption});
        if (onMessage)
            onMessage();
    }

    std::optional<QColor> chooseColour(QWidget*, const QColor&) override
    {
        if (colours.empty())
            return std::nullopt;
        const auto colour = colours.front();
        colours.pop_front();
        return colour;
    }

    int runDialog(QDialog& dialog) override
    {
        if (dialogs.empty())
            return QDialog::Rejected;
        const DialogAnswer answer = dialogs.front();
        dialogs.pop_front();
        return answer(dialog);
    }

    std::vector<ShownMessage> messages;
    std::function<void()> onMessage;
    std::deque<std::optional<QColor>> colours;
    std::deque<DialogAnswer> dialogs;
};

} // namespace kestrel::test
