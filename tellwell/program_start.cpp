// Tellwell start
