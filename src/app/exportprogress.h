#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;

namespace quoll::app {

// The progress of a long export: shown, modal, once the export has run for
// half a second; it counts the rows written, keeps the window repainting
// and offers a cancel button. Nothing shows for a short export.
class ExportProgress : public QDialog
{
    Q_OBJECT

public:
    // `showAfterMs`: how long an export runs before it shows (tests use 0).
    explicit ExportProgress(QWidget *parent = nullptr, qint64 showAfterMs = ShowAfterMs);

    // After every batch of rows; false once the user cancelled.
    bool update(qint64 rows);
    bool isCancelled() const { return m_cancelled; }

    static constexpr qint64 ShowAfterMs = 500;

private:
    QElapsedTimer m_clock;
    qint64 m_showAfterMs;
    QLabel *m_label = nullptr;
    bool m_cancelled = false;
};

} // namespace quoll::app
