#include "HexList.h"

#include <algorithm>

HexList::const_iterator &HexList::const_iterator::operator++()
{
    ++m_hex;
    if (m_hex == m_chunkEnd && m_chunk + 1 < m_list->m_chunks.size()) {
        const QList<HexData> &next = m_list->m_chunks[++m_chunk];
        m_hex = next.constData();
        m_chunkEnd = m_hex + next.size();
    }
    return *this;
}

qsizetype HexList::const_iterator::index() const
{
    if (!m_list || m_list->m_chunks.empty())
        return 0;
    return m_list->chunkStart(m_chunk) + (m_hex - m_list->m_chunks[m_chunk].constData());
}

HexList::HexList(const QList<HexData> &hexes)
{
    for (qsizetype start = 0; start < hexes.size(); start += kChunkSize)
        appendChunk(hexes.mid(start, kChunkSize));
}

HexList::HexList(QList<HexData> &&hexes)
{
    for (qsizetype start = 0; start < hexes.size(); start += kChunkSize) {
        const qsizetype end = std::min(hexes.size(), start + kChunkSize);
        QList<HexData> chunk;
        chunk.reserve(end - start);
        for (qsizetype i = start; i < end; ++i)
            chunk.append(std::move(hexes[i]));
        appendChunk(std::move(chunk));
    }
    hexes.clear();
}

const HexData &HexList::at(qsizetype i) const
{
    Q_ASSERT(i >= 0 && i < m_size);
    const auto [chunk, offset] = locate(i);
    return m_chunks[chunk].at(offset);
}

std::pair<std::size_t, qsizetype> HexList::locate(qsizetype i) const
{
    const auto found = std::upper_bound(m_ends.cbegin(), m_ends.cend(), i);
    const auto chunk = std::size_t(found - m_ends.cbegin());
    return {chunk, i - chunkStart(chunk)};
}

HexList::const_iterator HexList::iteratorAt(qsizetype i) const
{
    if (m_chunks.empty())
        return const_iterator(this, 0, nullptr, nullptr);
    if (i >= m_size) {
        const QList<HexData> &last = m_chunks.back();
        const HexData *end = last.constData() + last.size();
        return const_iterator(this, m_chunks.size() - 1, end, end);
    }
    const auto [chunk, offset] = locate(i);
    const QList<HexData> &hexes = m_chunks[chunk];
    return const_iterator(this, chunk, hexes.constData() + offset, hexes.constData() + hexes.size());
}

void HexList::insert(qsizetype i, const HexData &hex)
{
    Q_ASSERT(i >= 0 && i <= m_size);
    // Appending fills the last chunk up to the usual size, then starts another.
    if (i == m_size && (m_chunks.empty() || m_chunks.back().size() >= kChunkSize)) {
        appendChunk({hex});
        return;
    }
    const auto [chunk, offset] =
        i == m_size ? std::pair(m_chunks.size() - 1, m_chunks.back().size()) : locate(i);
    QList<HexData> &hexes = m_chunks[chunk];
    hexes.insert(offset, hex);
    shiftEnds(chunk, 1);
    ++m_size;
    if (hexes.size() >= 2 * kChunkSize) {
        QList<HexData> second = hexes.sliced(kChunkSize);
        hexes.resize(kChunkSize);
        m_chunks.insert(m_chunks.begin() + std::ptrdiff_t(chunk) + 1, std::move(second));
        m_ends.insert(m_ends.begin() + std::ptrdiff_t(chunk), chunkStart(chunk) + kChunkSize);
    }
}

void HexList::replace(qsizetype i, const HexData &hex)
{
    Q_ASSERT(i >= 0 && i < m_size);
    const auto [chunk, offset] = locate(i);
    m_chunks[chunk][offset] = hex;
}

void HexList::removeAt(qsizetype i)
{
    Q_ASSERT(i >= 0 && i < m_size);
    const auto [chunk, offset] = locate(i);
    --m_size;
    if (m_chunks[chunk].size() == 1) {
        m_chunks.erase(m_chunks.begin() + std::ptrdiff_t(chunk));
        m_ends.erase(m_ends.begin() + std::ptrdiff_t(chunk));
        shiftEnds(chunk, -1);
        if (chunk > 0)
            mergeWithNext(chunk - 1);
        return;
    }
    m_chunks[chunk].removeAt(offset);
    shiftEnds(chunk, -1);
    mergeWithNext(chunk);
    if (chunk > 0)
        mergeWithNext(chunk - 1);
}

void HexList::mergeWithNext(std::size_t chunk)
{
    if (chunk + 1 >= m_chunks.size() || m_chunks[chunk].size() + m_chunks[chunk + 1].size() > kChunkSize)
        return;
    m_chunks[chunk].append(std::as_const(m_chunks[chunk + 1]));
    m_chunks.erase(m_chunks.begin() + std::ptrdiff_t(chunk) + 1);
    m_ends.erase(m_ends.begin() + std::ptrdiff_t(chunk));
}

void HexList::shiftEnds(std::size_t fromChunk, qsizetype by)
{
    for (std::size_t j = fromChunk; j < m_ends.size(); ++j)
        m_ends[j] += by;
}

void HexList::appendChunk(QList<HexData> hexes)
{
    m_size += hexes.size();
    m_chunks.push_back(std::move(hexes));
    m_ends.push_back(m_size);
}

QList<HexData> HexList::toList() const
{
    QList<HexData> list;
    list.reserve(m_size);
    for (const QList<HexData> &chunk : m_chunks)
        list.append(chunk);
    return list;
}

bool operator==(const HexList &a, const HexList &b)
{
    return a.size() == b.size() && std::equal(a.cbegin(), a.cend(), b.cbegin());
}

bool operator==(const HexList &a, const QList<HexData> &b)
{
    return a.size() == b.size() && std::equal(a.cbegin(), a.cend(), b.cbegin());
}
