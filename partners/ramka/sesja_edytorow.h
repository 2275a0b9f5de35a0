#pragma once

#include <QList>
#include <QString>

namespace ramka {

// The rows of table sesja: which records of a module the user has open, so
// that the module's list can reopen them on its next start. Id 0 marks the
// list itself. Nothing is written while the host's "cb_run_session" is off.
class SesjaEdytorow
{
public:
    explicit SesjaEdytorow(QString kodDll);

    static bool wlaczona();
    // Records an open record (once).
    void otwarto(int id) const;
    // Forget one open record, or every one of the module, unless the user
    // keeps the session when closing.
    void zamknieto(int id) const;
    void zamknietoWszystkie() const;
    QList<int> otwarte() const;

private:
    bool zapamietywanaPrzyZamknieciu() const;

    QString m_kodDll;
};

} // namespace ramka
