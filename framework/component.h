// Components: objects owned in a tree. An owner frees what it owns; components
// created while their owner loads get Loaded once the whole definition exists.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace glyphora {

class TComponent;
using TNotifyEvent = std::function<void(TComponent* sender)>;

enum class TOperation { opInsert, opRemove };

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  // The name of the object's own class ("TStringGrid"), without namespace:
  // a descendant answers its own name, never its ancestor's.
  std::wstring ClassName() const;
  const std::vector<TComponent*>& Components() const { return components_; }
  std::wstring Name;
  intptr_t Tag = 0;

  bool Loading() const { return loading_; }
  bool Destroying() const { return destroying_; }
  // Marks this component as being read from a definition.
  void BeginLoading() { loading_ = true; }
  // Called once the whole definition exists; overrides call the base first
  // or last as they need, the base clears the loading state.
  virtual void Loaded() { loading_ = false; }
  // Ends loading for every owned component, in creation order.
  void LoadedAll();

  // Asks to be told (Notification with opRemove) when `other` is destroyed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

 protected:
  virtual void Notification(TComponent* component, TOperation operation) {}
  // For a destructor that tells others of its end before the base's runs:
  // they then see this component as being destroyed.
  void MarkDestroying() { destroying_ = true; }

 private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  bool loading_ = false;
  bool destroying_ = false;
};

}  // namespace glyphora
