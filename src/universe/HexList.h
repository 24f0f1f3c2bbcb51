#pragma once

#include "model/HexData.h"

#include <QList>

#include <compare>
#include <iterator>
#include <vector>

// The occupied hexes of a universe in their stored order, read like a list and
// changed one hex at a time. The hexes are kept in chunks of a few hundred, each an
// implicitly shared list, so that copies of the whole share the chunks until one
// side changes: a copy (the snapshot a save writes on another thread) costs one
// pointer per chunk, and changing one hex while a copy is alive copies that hex's
// chunk, never the whole universe.
class HexList
{
public:
    // A chunk is split when it reaches twice this size; neighbours that fit in this
    // size together are merged.
    static constexpr qsizetype kChunkSize = 256;

    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = HexData;
        using difference_type = qsizetype;
        using pointer = const HexData *;
        using reference = const HexData &;

        const_iterator() = default;

        reference operator*() const { return *m_hex; }
        pointer operator->() const { return m_hex; }
        reference operator[](difference_type n) const { return *(*this + n); }
        const_iterator &operator++();
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        const_iterator &operator--() { return *this = m_list->iteratorAt(index() - 1); }
        const_iterator operator--(int)
        {
            const_iterator before = *this;
            --*this;
            return before;
        }
        const_iterator &operator+=(difference_type n) { return *this = m_list->iteratorAt(index() + n); }
        const_iterator &operator-=(difference_type n) { return *this += -n; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator &a, const const_iterator &b)
        {
            return a.index() - b.index();
        }
        friend bool operator==(const const_iterator &a, const const_iterator &b)
        {
            return a.m_hex == b.m_hex;
        }
        friend std::strong_ordering operator<=>(const const_iterator &a, const const_iterator &b)
        {
            return a.index() <=> b.index();
        }

    private:
        friend class HexList;
        const_iterator(const HexList *list, std::size_t chunk, const HexData *hex, const HexData *chunkEnd)
            : m_list(list), m_chunk(chunk), m_hex(hex), m_chunkEnd(chunkEnd)
        {}
        qsizetype index() const;

        const HexList *m_list = nullptr;
        std::size_t m_chunk = 0;
        const HexData *m_hex = nullptr; // the end of the last chunk for end()
        const HexData *m_chunkEnd = nullptr;
    };
    using iterator = const_iterator;
    using value_type = HexData;
    using size_type = qsizetype;
    using difference_type = qsizetype;
    using reference = const HexData &;
    using const_reference = const HexData &;

    HexList() = default;
    explicit HexList(const QList<HexData> &hexes);
    explicit HexList(QList<HexData> &&hexes);

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    const HexData &at(qsizetype i) const;
    const HexData &operator[](qsizetype i) const { return at(i); }
    const HexData &first() const { return at(0); }
    const HexData &last() const { return at(m_size - 1); }
    const HexData &front() const { return first(); }
    const HexData &back() const { return last(); }
    const_iterator begin() const { return iteratorAt(0); }
    const_iterator end() const { return iteratorAt(m_size); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    void append(const HexData &hex) { insert(m_size, hex); }
    // Before the hex at `i` (0 to size()).
    void insert(qsizetype i, const HexData &hex);
    void replace(qsizetype i, const HexData &hex);
    void removeAt(qsizetype i);

    // The hexes as one plain list (a copy of every hex).
    QList<HexData> toList() const;

    friend bool operator==(const HexList &a, const HexList &b);
    friend bool operator==(const HexList &a, const QList<HexData> &b);

private:
    // The chunk holding the hex at `i` (0 to size() - 1) and the hex's place in it.
    std::pair<std::size_t, qsizetype> locate(qsizetype i) const;
    const_iterator iteratorAt(qsizetype i) const;
    qsizetype chunkStart(std::size_t chunk) const { return chunk == 0 ? 0 : m_ends[chunk - 1]; }
    void shiftEnds(std::size_t fromChunk, qsizetype by);
    void appendChunk(QList<HexData> hexes);
    // Merges the chunk with the one after it when both fit in one.
    void mergeWithNext(std::size_t chunk);

    // Never an empty chunk. Changing a chunk shared with a copy copies it first (the
    // lists' own copy-on-write).
    std::vector<QList<HexData>> m_chunks;
    std::vector<qsizetype> m_ends; // one past each chunk's last hex, in list positions
    qsizetype m_size = 0;
};
