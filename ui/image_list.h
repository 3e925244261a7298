#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/picture.h"
#include "ui/control.h"

namespace ui {

class ImageListPeer {
  public:
    virtual ~ImageListPeer() = default;
    virtual void SetImageSize(int width, int height) = 0;
    virtual void Clear() = 0;
    // Copies the picture in; the index it takes (counting from 0), or -1.
    virtual int Add(const platform::Picture& picture) = 0;
    // Copies the picture over the one at `index`; false when it cannot be stored.
    virtual bool Replace(int index, const platform::Picture& picture) = 0;
    // A copy of the picture at `index`, for showing it elsewhere; empty when unknown.
    virtual platform::Picture Copy(int /*index*/) const { return {}; }
};

// Pictures by key. Several keys may share one picture: icons depend on the file type
// only, so items of one type point at one stored picture.
class ImageList {
  public:
    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    void Create(Container& owner);
    void SetImageSize(int width, int height);
    void Clear();
    // -1 when the key is taken or the picture cannot be stored.
    int Add(const std::string& key, const platform::Picture& picture);
    // Gives `key` the picture at `index`; false when the key is taken or index unknown.
    bool AddAlias(const std::string& key, int index);
    // Drops the key. Other pictures keep their indexes; a picture left without keys is
    // reused by a later Add, so repeated filtering does not grow the list.
    bool Remove(const std::string& key);
    int IndexOf(const std::string& key) const;                  // -1 when unknown
    platform::Picture PictureOf(const std::string& key) const;  // a copy; empty when unknown
    int PictureCount() const { return static_cast<int>(users_.size() - free_.size()); }
    std::size_t KeyCount() const { return keys_.size(); }
    ImageListPeer* Peer() const { return peer_.get(); }

  private:
    int Store(const platform::Picture& picture);

    std::unique_ptr<ImageListPeer> peer_;
    std::unordered_map<std::string, int> keys_;
    std::vector<int> users_;  // per index: keys on it (a keyless picture counts as one)
    std::vector<int> free_;   // indexes no key uses any more
};

}  // namespace ui
