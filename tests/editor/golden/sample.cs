using System;
#region Helpers
/// <summary>Greets.</summary>
public static class Greeter {
    // one line
    public static string Hello(string name, int times = 2) {
        var path = @"C:\dir\
second line"" quoted";
        decimal price = 9.99m; long big = 10L;
        return $"Hi {name}" + null;
    }
}
#endregion
