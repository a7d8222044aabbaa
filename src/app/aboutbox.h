#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quoll::app {

// The about box "About": the program's name and version lines and the
// maker's web address, which opens in the web browser when clicked.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char *WebAddress = "https://quoll.example.org/";

    explicit AboutBox(QWidget *parent = nullptr);

    QLineEdit *webAddress() const { return m_address; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_address;
};

} // namespace quoll::app
