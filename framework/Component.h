// Components: objects with an owner that frees them, a name, and the notification that
// their stored settings have been applied.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Object.h"

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
public:
    // The owner, when given, frees this component in its own destructor.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    void SetName(std::string Value) { FName = std::move(Value); }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }

    // Called once a stored layout has been applied through the setters.
    virtual void Loaded() {}

private:
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

    TComponent* FOwner;
    std::string FName;
    std::vector<TComponent*> FComponents;
};
