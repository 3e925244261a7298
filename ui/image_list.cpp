#include "ui/image_list.h"

#include "ui/backend.h"

namespace ui {

void ImageList::Create(Container& owner) {
    peer_ = owner.GetBackend().CreateImageList(owner);
}

void ImageList::SetImageSize(int width, int height) {
    // The system list drops its pictures when the size changes; so do the keys.
    if (peer_) peer_->SetImageSize(width, height);
    keys_.clear();
    users_.clear();
    free_.clear();
}

void ImageList::Clear() {
    if (peer_) peer_->Clear();
    keys_.clear();
    users_.clear();
    free_.clear();
}

int ImageList::Add(const std::string& key, const platform::Picture& picture) {
    if (!key.empty() && keys_.count(key)) return -1;
    const int index = Store(picture);
    if (index < 0) return -1;
    users_[index] = 1;
    if (!key.empty()) keys_[key] = index;
    return index;
}

int ImageList::Store(const platform::Picture& picture) {
    if (!picture) return -1;
    if (!free_.empty()) {
        const int index = free_.back();
        if (peer_ && !peer_->Replace(index, picture)) return -1;
        free_.pop_back();
        return index;
    }
    const int index = peer_ ? peer_->Add(picture) : static_cast<int>(users_.size());
    if (index < 0) return -1;
    if (static_cast<std::size_t>(index) >= users_.size()) users_.resize(index + 1, 0);
    return index;
}

bool ImageList::AddAlias(const std::string& key, int index) {
    if (key.empty() || keys_.count(key)) return false;
    if (index < 0 || static_cast<std::size_t>(index) >= users_.size() || users_[index] == 0) {
        return false;
    }
    keys_[key] = index;
    ++users_[index];
    return true;
}

bool ImageList::Remove(const std::string& key) {
    auto it = keys_.find(key);
    if (it == keys_.end()) return false;
    const int index = it->second;
    keys_.erase(it);
    if (--users_[index] == 0) free_.push_back(index);
    return true;
}

int ImageList::IndexOf(const std::string& key) const {
    auto it = keys_.find(key);
    return it == keys_.end() ? -1 : it->second;
}

platform::Picture ImageList::PictureOf(const std::string& key) const {
    const int index = IndexOf(key);
    return index >= 0 && peer_ ? peer_->Copy(index) : platform::Picture();
}

}  // namespace ui
