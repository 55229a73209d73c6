#pragma once

#include <QPlainTextEdit>

#include <string>
#include <string_view>

namespace platform {

// A multi-line, read-only text box that gives back exactly the text it was
// given. QPlainTextEdit stores paragraphs, so CR LF would come back as a bare
// LF; the stored text is kept beside the document instead.
class ExactTextBox : public QPlainTextEdit {
public:
    explicit ExactTextBox(QWidget *parent = nullptr);

    [[nodiscard]] const std::string &exactText() const { return text_; }
    void setExactText(std::string_view text);

    // The standard menu (copy, select all), in Bulgarian like the rest of
    // the window; Qt has no Bulgarian translation of its own.
    QMenu *createBulgarianContextMenu();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    std::string text_;
};

} // namespace platform
