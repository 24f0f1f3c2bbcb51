#include "NaturalOrder.h"

namespace {

// The C locale collates by code point, which knows nothing of numbers or letter case;
// English collation (the common root order) stands in for it.
QLocale collationLocale()
{
    const QLocale locale;
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

} // namespace

NaturalOrder::NaturalOrder() : m_collator(collationLocale())
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
}

int NaturalOrder::compare(QStringView a, QStringView b) const
{
    const int order = m_collator.compare(a, b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int naturalCompare(QStringView a, QStringView b)
{
    // Making a collator costs far more than a comparison.
    thread_local const NaturalOrder order;
    return order.compare(a, b);
}
