#include "lazy_combo_box.h"

#include <handler_guard.h>

namespace ui {

LazyComboBox::LazyComboBox(QWidget *parent)
    : QComboBox(parent)
{}

void LazyComboBox::unload()
{
    clear();
    m_loaded = false;
}

void LazyComboBox::showPopup()
{
    if (!m_loaded && m_loader) {
        m_loaded = true;
        host::guard([&] { m_loader(this); });
    }
    QComboBox::showPopup();
}

} // namespace ui
