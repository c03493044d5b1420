#pragma once
// The list behind every set of children and every working list of the catalogue (print
// list, collection lists): an array of pointers. Insertion order everywhere; nothing
// sorts.
//
// The list itself never deletes elements on its own: the owning node calls
// supprimerElements() when it is destroyed. Non-owning lists just forget them.
//
// Every folder holds two of these, most of them empty, and a catalogue holds millions
// of entries: the head is a pointer and two counts (16 bytes), and an entry costs its
// pointer in one block per list, not an allocation of its own.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

template <typename T>
class CListeElements {
public:
    CListeElements() = default;
    CListeElements(const CListeElements&) = delete;
    CListeElements& operator=(const CListeElements&) = delete;
    CListeElements(CListeElements&& autre) noexcept { echanger(autre); }
    CListeElements& operator=(CListeElements&& autre) noexcept
    {
        if (this != &autre) {
            retirerTout();
            echanger(autre);
        }
        return *this;
    }
    ~CListeElements() { std::free(elements_); }

    std::int32_t nombre() const { return nombre_; }
    bool estVide() const { return nombre_ == 0; }

    void ajouter(T* element)
    {
        if (nombre_ == capacite_)
            agrandir();
        elements_[nombre_++] = element;
    }

    bool contient(const T* element) const { return indexDe(element) >= 0; }

    // Removes `element`, if there, keeping the others in order. True when one was removed.
    bool retirerElement(const T* element)
    {
        const std::int32_t i = indexDe(element);
        if (i < 0)
            return false;
        std::memmove(elements_ + i, elements_ + i + 1, sizeof(T*) * std::size_t(nombre_ - i - 1));
        --nombre_;
        return true;
    }

    // Removes, keeping the others in order, every element for which `retirer(element)`
    // is true; `retirer` may destroy the element it accepts, which is then gone from
    // the list.
    template <class Predicat>
    void retirerSi(Predicat retirer)
    {
        std::int32_t garde = 0;
        for (std::int32_t i = 0; i < nombre_; ++i) {
            T* e = elements_[i];
            if (!retirer(e))
                elements_[garde++] = e;
        }
        nombre_ = garde;
    }

    // The element at a zero-based index; nullptr when out of range.
    T* elementA(std::int32_t index) const
    {
        return index >= 0 && index < nombre_ ? elements_[index] : nullptr;
    }

    // Appends every element of `autre`, in order.
    void ajouterListe(const CListeElements& autre)
    {
        for (T* e : autre)
            ajouter(e);
    }

    // Forgets every element; elements are left alone.
    void retirerTout()
    {
        std::free(elements_);
        elements_ = nullptr;
        nombre_ = capacite_ = 0;
    }

    // Deletes every element, in order. The list is emptied first, so a destructor that
    // looks at this list never sees a dead element.
    void supprimerElements()
    {
        CListeElements perdus(std::move(*this));
        for (T* e : perdus)
            delete e;
    }

    // Range-for over the elements.
    T* const* begin() const { return elements_; }
    T* const* end() const { return elements_ + nombre_; }

private:
    std::int32_t indexDe(const T* element) const
    {
        T* const* trouve = std::find(begin(), end(), element);
        return trouve == end() ? -1 : std::int32_t(trouve - begin());
    }
    void agrandir()
    {
        constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
        if (capacite_ == kMax)
            throw std::bad_alloc();
        // Half as much again: a list read from a file ends with a third unused at most.
        const std::int32_t nouvelle =
            capacite_ < 4 ? 4 : (capacite_ > kMax / 3 * 2 ? kMax : capacite_ + capacite_ / 2);
        void* bloc = std::realloc(elements_, sizeof(T*) * std::size_t(nouvelle));
        if (!bloc)
            throw std::bad_alloc();
        elements_ = static_cast<T**>(bloc);
        capacite_ = nouvelle;
    }
    void echanger(CListeElements& autre) noexcept
    {
        std::swap(elements_, autre.elements_);
        std::swap(nombre_, autre.nombre_);
        std::swap(capacite_, autre.capacite_);
    }

    T** elements_ = nullptr;
    std::int32_t nombre_ = 0;
    std::int32_t capacite_ = 0;
};
