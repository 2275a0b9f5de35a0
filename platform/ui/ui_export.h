#pragma once

#include <QtCore/qglobal.h>

#if defined(MALVO_UI_LIBRARY)
#define MALVO_UI_EXPORT Q_DECL_EXPORT
#else
#define MALVO_UI_EXPORT Q_DECL_IMPORT
#endif
