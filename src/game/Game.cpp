// Placeholder until the rules land.
