#include "translate/DLLLocalResource.h"

#include "framework/ModuleState.h"
#include "resources/DictionaryApp.h"

CDLLLocalResource::CDLLLocalResource() : m_hSaved(AfxGetModuleState()->m_hCurrentResourceHandle) {
    if (HINSTANCE module = QorGetModuleResourceHandle()) AfxGetModuleState()->m_hCurrentResourceHandle = module;
}

CDLLLocalResource::~CDLLLocalResource() { AfxGetModuleState()->m_hCurrentResourceHandle = m_hSaved; }
