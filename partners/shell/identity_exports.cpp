#include "partners_api.h"

#include "ramka/modul.h"

#include "siblings.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

namespace {
std::chrono::milliseconds pauzaOczekiwania{500};
}

void partners::ustawOczekiwanieNaListe(std::chrono::milliseconds pauza)
{
    pauzaOczekiwania = pauza;
}

QString _GetModuleName()
{
    return partners::NazwaModulu;
}

QString _GetDllCode()
{
    return partners::KodModulu;
}

QString _GetVersionA()
{
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(partners::PlikModulu);
    return host::GetFileVersion(path);
}

QString _GetNazwaUpr()
{
    return QStringLiteral("Resstrings_IDS_Lista_firm_rozbudowana");
}

void _SetDllInstance(int handle)
{
    // The list window may still be on its way from a concurrent _Execute.
    constexpr int maxWaits = 3;
    for (int waits = 0; !partners::windows().lista_firm_form || handle == 0; ++waits) {
        if (waits == maxWaits)
            return;
        QThread::msleep(static_cast<unsigned long>(pauzaOczekiwania.count()));
    }
    partners::windows().lista_firm_form->setProperty(partners::HostInstanceProperty, handle);
}

int _isEdited()
{
    const QWidget *editor = partners::windows().edycja_firmy_form;
    return editor && editor->isVisible() ? 1 : 0;
}
