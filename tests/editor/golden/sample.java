package org.example;
import java.util.List;
/**
 * A counter.
 * @author someone
 */
@Deprecated
public final class Counter implements Runnable {
    private long count = 0L; // running total
    /* block */ private double rate = 2.5e-3d;
    public void run() { if (count > 10 && rate != .5f) { System.out.println("done \"now\"" + 'c'); } }
}
