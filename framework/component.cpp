#include "framework/component.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <typeindex>

namespace glyphora {

std::wstring TComponent::ClassName() const {
  // Demangled once per class: "glyphora::TStringGrid" -> "TStringGrid".
  static std::map<std::type_index, std::wstring> names;
  const std::type_info& type = typeid(*this);
  auto it = names.find(type);
  if (it != names.end()) return it->second;
  int status = 0;
  char* full = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string name = status == 0 && full ? full : type.name();
  std::free(full);
  // The last component outside template arguments.
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '<') ++depth;
    else if (name[i] == '>') --depth;
    else if (depth == 0 && name[i] == ':') start = i + 1;
  }
  name = name.substr(start);
  return names.emplace(type, std::wstring(name.begin(), name.end())).first->second;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) {
    owner->InsertComponent(this);
    if (owner->Loading()) loading_ = true;
  }
}

TComponent::~TComponent() {
  destroying_ = true;
  // Tell everybody who holds a reference to us.
  auto notifies = std::move(freeNotifies_);
  for (TComponent* c : notifies) {
    c->Notification(this, TOperation::opRemove);
    auto& back = c->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
  // Owned components go in reverse creation order.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    delete c;
  }
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::LoadedAll() {
  auto list = components_;
  for (TComponent* c : list) c->Loaded();
  Loaded();
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
    other->freeNotifies_.push_back(this);
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
    freeNotifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  auto& a = other->freeNotifies_;
  a.erase(std::remove(a.begin(), a.end(), this), a.end());
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
}

void TComponent::InsertComponent(TComponent* c) {
  components_.push_back(c);
  c->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* c) {
  components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
  c->owner_ = nullptr;
}

}  // namespace glyphora
