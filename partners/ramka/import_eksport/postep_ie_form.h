#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of an import/export job. It cannot be closed while
// the job runs; Cancel asks the job to stop after the record in hand.
class TProgressForm : public QDialog
{
    Q_OBJECT
public:
    explicit TProgressForm(QWidget *parent = nullptr);

    // "Eksport 7 z 40".
    void pokazPostep(const QString &tytul, int biezacy, int wszystkie);
    bool przerwano() const { return m_przerwano; }

    void reject() override;

    bool canClose = false;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_opis;
    QProgressBar *m_pasek;
    QPushButton *m_anuluj;
    QElapsedTimer m_odswiezono;
    bool m_przerwano = false;
};
