#include "ProjectSession.h"

#include "ProjectFile.h"

namespace qv {

void ProjectSession::Start() {
  projectPath_ = settings_.ProjectPath();
  ProjectFile::EnsureProjectFile(projectPath_, dataDir_, ProjectFile::TodayText());
  ProjectFile::ReadProject(projectPath_, dispatcher_);
}

std::string ProjectSession::Close() {
  std::string error = settings_.SetProjectPath(projectPath_);
  const std::string saveError = ProjectFile::WriteProject(model_, projectPath_);
  return saveError.empty() ? error : saveError;
}

std::string ProjectSession::Open(const std::string& path) {
  if (!ProjectFile::ReadProject(path, dispatcher_)) return "cannot read " + path;
  projectPath_ = path;
  settings_.SetProjectPath(projectPath_);
  return {};
}

std::string ProjectSession::Save(const std::string& path) {
  std::string target = path;
  ProjectFile::EnsureProjectFile(target, dataDir_, ProjectFile::TodayText());
  return ProjectFile::WriteProject(model_, target);
}

void ProjectSession::GetDataFromMachine() {
  encoder_.EncodeAndSend(CommandType::QueryFullState);
}

void ProjectSession::SendConfiguration(DeviceModel& model, CommandEncoder& encoder) {
  model.FeatherOnOff = 0;
  encoder.EncodeAndSend(CommandType::SetFeather, {3});
  encoder.EncodeAndSend(CommandType::WriteFullState, {0});
}

}  // namespace qv
