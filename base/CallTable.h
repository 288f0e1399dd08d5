#pragma once
// A replaceable call table: a struct of function pointers that a layer calls through instead of
// calling a platform or library directly, so that a test can put other calls in place for a
// while. The table's own source defines its real calls,
//     template <> const TMyCalls TCallTable<TMyCalls>::kReal = {...};
// and its header declares that definition (the same line without the initialiser).

template <class TCalls> struct TCallTable
{
    // The calls the table stands for.
    static const TCalls kReal;
    // The table in use: kReal unless an override is in place.
    static inline const TCalls* sCurrent = &kReal;
};

// Puts a table in place for its lifetime and then restores the one it replaced.
template <class TCalls> class CCallTableOverride
{
public:
    explicit CCallTableOverride(const TCalls& calls) : fCalls(calls), fReplaced(TCallTable<TCalls>::sCurrent)
    {
        TCallTable<TCalls>::sCurrent = &fCalls;
    }
    ~CCallTableOverride() { TCallTable<TCalls>::sCurrent = fReplaced; }
    CCallTableOverride(const CCallTableOverride&) = delete;
    CCallTableOverride& operator=(const CCallTableOverride&) = delete;

private:
    TCalls fCalls;
    const TCalls* fReplaced;
};
