// A list that finds its entries by identity: two objects that compare equal are still two
// different entries, and looking one up never calls the entries' compare.
#pragma once
#include <list>
#include <memory>
#include <optional>

#include "imports/object.h"

class TStrictList : public Object {
public:
    using Links = std::list<ObjectPtr>;
    using Link = Links::iterator;

    void AddLast(const ObjectPtr& value) { _links.push_back(value); }
    void AddFirst(const ObjectPtr& value) { _links.push_front(value); }
    int Count() const { return static_cast<int>(_links.size()); }
    void Clear() { _links.clear(); }
    // Removes the first entry that is this very object; 1 when one was removed.
    int Remove(const ObjectPtr& value);
    void RemoveLink(Link link) { _links.erase(link); }

    // The first link from the front that holds this very object; no value when none does.
    std::optional<Link> FindLink(const ObjectPtr& value);
    int Contains(const ObjectPtr& value) const;

    Links::iterator begin() { return _links.begin(); }
    Links::iterator end() { return _links.end(); }
    Links::const_iterator begin() const { return _links.begin(); }
    Links::const_iterator end() const { return _links.end(); }

private:
    Links _links;
};
