#pragma once

#include <QPlainTextEdit>

#include <string>
#include <string_view>

namespace platform {

class FocusFrame;

// A multi-line, read-only text box that gives back exactly the text it was
// given. QPlainTextEdit stores paragraphs, so CR LF would come back as a bare
// LF; the stored text is kept beside the document instead. It keeps the
// desktop's own look, and shows plainly when it has the focus.
class ExactTextBox final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ExactTextBox(QWidget *parent = nullptr);

    [[nodiscard]] const std::string &exactText() const { return text_; }
    void setExactText(std::string_view text);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    std::string text_;
    FocusFrame *focusFrame_;
};

} // namespace platform
