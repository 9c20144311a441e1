#include "framework/component.h"

#include <algorithm>

namespace glyphora {

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
