// The engine's handles that the system only passes along: the set manager and the link options.
#pragma once

class ClSetMgr {};
class ClOptLink {};
