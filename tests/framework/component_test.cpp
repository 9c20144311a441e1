#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/component.h"

using namespace glyphora;

namespace {
std::vector<std::wstring> g_log;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, const wchar_t* name) : TComponent(owner) { Name = name; }
  ~Probe() override { g_log.push_back(L"free " + Name); }
  void Loaded() override {
    g_log.push_back(L"loaded " + Name + (Loading() ? L" (loading)" : L""));
    TComponent::Loaded();
  }
  TComponent* watched = nullptr;
  void Watch(TComponent* c) {
    watched = c;
    FreeNotification(c);
  }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == TOperation::opRemove && c == watched) {
      g_log.push_back(Name + L" lost " + c->Name);
      watched = nullptr;
    }
  }
};
}  // namespace

TEST(Component, OwnerFreesOwnedInReverseOrderAndLoadsInCreationOrder) {
  g_log.clear();
  auto* root = new Probe(nullptr, L"root");
  root->BeginLoading();
  auto* a = new Probe(root, L"a");
  new Probe(root, L"b");
  EXPECT_TRUE(a->Loading()) << "components made while the owner loads are loading too";
  root->LoadedAll();
  EXPECT_FALSE(a->Loading());
  EXPECT_FALSE(root->Loading());
  std::vector<std::wstring> loaded(g_log.begin(), g_log.end());
  EXPECT_EQ(loaded, (std::vector<std::wstring>{L"loaded a (loading)", L"loaded b (loading)", L"loaded root (loading)"}));
  g_log.clear();
  delete root;
  EXPECT_EQ(g_log, (std::vector<std::wstring>{L"free root", L"free b", L"free a"}));
}

TEST(Component, FreeNotificationClearsReferencesBothWays) {
  g_log.clear();
  Probe owner(nullptr, L"owner");
  auto* holder = new Probe(&owner, L"holder");
  auto* target = new Probe(&owner, L"target");
  holder->Watch(target);
  delete target;
  EXPECT_EQ(holder->watched, nullptr);
  EXPECT_EQ(owner.Components().size(), 1u);
  // The watcher dying first must not leave the target pointing at it.
  auto* t2 = new Probe(&owner, L"t2");
  holder->Watch(t2);
  delete holder;
  g_log.clear();
  delete t2;  // would touch freed memory if the link survived
  EXPECT_EQ(g_log, (std::vector<std::wstring>{L"free t2"}));
}
