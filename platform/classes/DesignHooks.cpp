// The component-registration hooks.
#include "platform/classes/DesignHooks.h"

TRegisterComponentsProc RegisterComponentsProc = nullptr;
TRegisterNoIconProc RegisterNoIconProc = nullptr;
TRegisterNonActiveXProc RegisterNonActiveXProc = nullptr;
int CurrentGroup = -1;

void RegisterComponents(const std::string& Page, const TComponentClassList& ComponentClasses) {
  if (RegisterComponentsProc) {
    RegisterComponentsProc(Page, ComponentClasses);
  }
}

void RegisterNoIcon(const TComponentClassList& ComponentClasses) {
  if (RegisterNoIconProc) {
    RegisterNoIconProc(ComponentClasses);
  }
}

void RegisterNonActiveX(const TComponentClassList& ComponentClasses, int AxRegType) {
  if (RegisterNonActiveXProc) {
    RegisterNonActiveXProc(ComponentClasses, AxRegType);
  }
}
